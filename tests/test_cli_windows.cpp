// Runs the built dubrinax-cli.exe as a Windows user would: paths with "\",
// names beyond ASCII, the arguments taken from the wide command line.

#include "Testbaum.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

struct TLauf {
    DWORD code = 0xFFFFFFFF;
    std::string aus;
    std::string fehler;
};

std::wstring Breit(const std::string& text)
{
    return TTestbaum::Pfad(text).wstring();
}

// One argument quoted so that the program's parser gives it back unchanged:
// backslashes count double before a quote, so a final "\" stays a "\".
std::wstring Zitiert(const std::wstring& argument)
{
    std::wstring ergebnis = L"\"";
    size_t striche = 0;
    for (const wchar_t zeichen : argument) {
        if (zeichen == L'\\') {
            ++striche;
            continue;
        }
        ergebnis.append(zeichen == L'"' ? 2 * striche + 1 : striche, L'\\');
        striche = 0;
        ergebnis += zeichen;
    }
    ergebnis.append(2 * striche, L'\\');
    return ergebnis + L"\"";
}

// A handle the child inherits, closed when the test is done with it.
class TErbGriff {
public:
    TErbGriff(const std::wstring& pfad, DWORD zugriff, DWORD anlage)
    {
        SECURITY_ATTRIBUTES erben{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        griff_ = ::CreateFileW(pfad.c_str(), zugriff, FILE_SHARE_READ | FILE_SHARE_WRITE, &erben, anlage,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~TErbGriff()
    {
        if (griff_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(griff_);
    }
    TErbGriff(const TErbGriff&) = delete;
    TErbGriff& operator=(const TErbGriff&) = delete;
    HANDLE Wert() const { return griff_; }

private:
    HANDLE griff_ = INVALID_HANDLE_VALUE;
};

// Starts the front end with stdout and stderr in files and waits for it.
TLauf Starten(const TTestbaum& baum, const std::vector<std::string>& argumente)
{
    const std::wstring programm = Breit(DUBRINAX_CLI);
    std::wstring zeile = Zitiert(programm);
    for (const std::string& argument : argumente)
        zeile += L" " + Zitiert(Breit(argument));

    TLauf lauf;
    {
        TErbGriff ein(L"NUL", GENERIC_READ, OPEN_EXISTING);
        TErbGriff aus(Breit(baum.Wurzel() + ".aus"), GENERIC_WRITE, CREATE_ALWAYS);
        TErbGriff fehler(Breit(baum.Wurzel() + ".fehler"), GENERIC_WRITE, CREATE_ALWAYS);
        STARTUPINFOW start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = ein.Wert();
        start.hStdOutput = aus.Wert();
        start.hStdError = fehler.Wert();
        PROCESS_INFORMATION prozess{};
        if (!::CreateProcessW(programm.c_str(), zeile.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                              &start, &prozess)) {
            ADD_FAILURE() << "dubrinax-cli.exe did not start, error " << ::GetLastError();
            return lauf;
        }
        ::WaitForSingleObject(prozess.hProcess, INFINITE);
        ::GetExitCodeProcess(prozess.hProcess, &lauf.code);
        ::CloseHandle(prozess.hThread);
        ::CloseHandle(prozess.hProcess);
    }
    lauf.aus = TTestbaum::Lesen(baum.Wurzel() + ".aus");
    lauf.fehler = TTestbaum::Lesen(baum.Wurzel() + ".fehler");
    return lauf;
}

std::string LetzteZeile(const std::string& text)
{
    std::string ohneEnde = text.substr(0, text.find_last_not_of("\r\n") + 1);
    return ohneEnde.substr(ohneEnde.find_last_of('\n') + 1);
}

} // namespace

// Text mode on a Windows console program: lines end with CR LF.
TEST(KommandozeileWindows, PrintsBackslashPathsAndNamesBeyondAscii)
{
    TTestbaum baum;
    baum.Datei("A/x.txt", "abc");
    baum.Datei("A/sub/y.txt", "abd");
    baum.Datei("B/Gr\xC3\xBC\xC3\x9F" "e.txt", "abc");
    baum.Datei("B/\xE6\x97\xA5\xE6\x9C\xAC/z.txt", "abd");
    const std::string a = baum.Wurzel() + "A", b = baum.Wurzel() + "B\\";

    const TLauf lauf = Starten(baum, {a, b});
    EXPECT_EQ(lauf.code, 0u);
    EXPECT_EQ(lauf.aus, "! " + a + "\\x.txt\n"
                        "+     " + b + "Gr\xC3\xBC\xC3\x9F" "e.txt\n"
                        "! " + a + "\\sub\\y.txt\n"
                        "+     " + b + "\xE6\x97\xA5\xE6\x9C\xAC\\z.txt\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 2 -: 0 !: 2");
    EXPECT_EQ(lauf.fehler.find("\x1b["), std::string::npos) << "no progress display into a file";
}

TEST(KommandozeileWindows, SameDirectoryWithAndWithoutFinalBackslash)
{
    TTestbaum baum;
    baum.Datei("A/x", "gleich");
    baum.Datei("A/s/y", "gleich");
    const std::string a = baum.Wurzel() + "A";
    const TLauf lauf = Starten(baum, {a, a + "\\"});
    EXPECT_EQ(lauf.code, 0u);
    EXPECT_EQ(lauf.aus, "! " + a + "\\x\n+     " + a + "\\s\\y\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 1 -: 0 !: 1");
}

TEST(KommandozeileWindows, TreeUnderTwoSpellingsNeverListsAFileUnderItself)
{
    TTestbaum baum;
    baum.Datei("T/x", "gleich");
    baum.Datei("T/s/y", "gleich");
    baum.Datei("T/s/t/z", "allein");
    const std::string t = baum.Wurzel() + "T\\", punktT = baum.Wurzel() + ".\\T\\";
    const TLauf lauf = Starten(baum, {baum.Wurzel() + "T", baum.Wurzel() + ".\\T"});
    EXPECT_EQ(lauf.aus, "! " + t + "x\n+     " + punktT + "s\\y\n! " + t + "s\\y\n+     " + punktT + "x\n- " + t
                            + "s\\t\\z\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 2 -: 1 !: 2");
}

TEST(KommandozeileWindows, WrongArgumentsExitWithTwo)
{
    TTestbaum baum;
    baum.Datei("datei", "x");
    for (const std::vector<std::string>& argumente :
         {std::vector<std::string>{baum.Wurzel()}, {baum.Wurzel(), baum.Wurzel() + "fehlt"},
          {baum.Wurzel() + "datei", baum.Wurzel()}, {baum.Wurzel() + "NUL", baum.Wurzel()},
          {"", baum.Wurzel()}, {"a", "b", "c"}}) {
        const TLauf lauf = Starten(baum, argumente);
        EXPECT_EQ(lauf.code, 2u);
        EXPECT_TRUE(lauf.aus.empty());
        EXPECT_EQ(std::count(lauf.fehler.begin(), lauf.fehler.end(), '\n'), 1) << lauf.fehler;
    }
}
