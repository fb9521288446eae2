#include "cli/Konsole.h"

#include "util/Breitzeichen.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fcntl.h>
#include <io.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

namespace {

void (*gemeldet)(int) = nullptr;
std::atomic<bool> schonGemeldet{false};

// The console's state before we changed it; 0 for what we left alone.
UINT alteCodeseite = 0;
DWORD alterModus = 0;
bool modusGeaendert = false;

void KonsoleZuruecksetzen()
{
    if (alteCodeseite != 0)
        ::SetConsoleOutputCP(alteCodeseite);
    if (modusGeaendert)
        ::SetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), alterModus);
}

// Runs in a thread the system starts for the event.
BOOL WINAPI BeiStrgC(DWORD ereignis)
{
    if (ereignis != CTRL_C_EVENT && ereignis != CTRL_BREAK_EVENT)
        return FALSE;
    // FALSE hands the second Ctrl-C to the default handler, which ends the process.
    if (schonGemeldet.exchange(true))
        return FALSE;
    gemeldet(SIGINT);
    return TRUE;
}

} // namespace

std::vector<std::string> KonsoleArgumente(int argc, char** argv)
{
    // argv holds the arguments in the ANSI code page, which cannot name every
    // file: they are taken once more from the wide command line.
    int anzahl = 0;
    wchar_t** breit = ::CommandLineToArgvW(::GetCommandLineW(), &anzahl);
    if (!breit)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> argumente;
    for (int i = 1; i < anzahl; ++i) {
        const std::u16string einheiten(breit[i], breit[i] + std::wcslen(breit[i]));
        argumente.push_back(Utf8Aus(einheiten.data(), einheiten.size()));
    }
    ::LocalFree(breit);
    return argumente;
}

bool KonsoleEinrichten()
{
    // The result list is bytes as the file system gives them, each line
    // ending in LF, on every platform: no text-mode translation to CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    // Our texts are UTF-8; a console that shows another code page would turn
    // every non-ASCII file name into garbage. Only a real console has one:
    // output into a file or pipe stays untouched bytes.
    DWORD modus = 0;
    const bool ausgabeKonsole = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &modus) != 0;
    const HANDLE meldungen = ::GetStdHandle(STD_ERROR_HANDLE);
    const bool meldungenKonsole = ::GetConsoleMode(meldungen, &alterModus) != 0;
    if ((ausgabeKonsole || meldungenKonsole) && ::GetConsoleOutputCP() != CP_UTF8) {
        alteCodeseite = ::GetConsoleOutputCP();
        ::SetConsoleOutputCP(CP_UTF8);
    }
    // The progress display erases its line with escape sequences, which the
    // console only understands when asked to. Not _isatty: it is true for
    // the NUL device, too.
    bool fortschritt = false;
    if (meldungenKonsole) {
        fortschritt = (alterModus & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
        if (!fortschritt && ::SetConsoleMode(meldungen, alterModus | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
            modusGeaendert = true;
            fortschritt = true;
        }
    }
    if (alteCodeseite != 0 || modusGeaendert)
        std::atexit(KonsoleZuruecksetzen);
    return fortschritt;
}

void UnterbrechungAbfangen(void (*melden)(int))
{
    gemeldet = melden;
    ::SetConsoleCtrlHandler(BeiStrgC, TRUE);
}
