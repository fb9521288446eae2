#include "util/Plattform.h"

#include "util/Breitzeichen.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <shellapi.h>

// Every name goes through the wide-character API: the core's UTF-8 texts are
// turned into UTF-16 here, so a file name works whatever the code page.

namespace plattform {

namespace {

// Shorter paths than this need no long-path prefix: CreateDirectoryW takes
// at most MAX_PATH minus room for an 8.3 file name, the other calls MAX_PATH.
constexpr size_t KurzGenug = MAX_PATH - 12;

// Everyone else may go on reading, writing, renaming and deleting a file we
// read or look at.
constexpr DWORD AllesTeilen = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Breit(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Schmal(const wchar_t* text, size_t laenge)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows names are UTF-16");
    std::u16string einheiten(text, text + laenge);
    return Utf8Aus(einheiten.data(), einheiten.size());
}

bool BeginntMit(const std::wstring& text, const wchar_t* anfang)
{
    return text.compare(0, std::wcslen(anfang), anfang) == 0;
}

// The path as the wide-character API takes it. A long path is made absolute
// and given the \\?\ prefix, without which the calls stop at MAX_PATH and a
// deep directory would silently drop out of a walk. False when the text is
// no name at all (see BreitAus).
bool Systempfad(const std::string& pfad, std::wstring& ergebnis)
{
    std::u16string einheiten;
    if (!BreitAus(pfad, einheiten))
        return false;
    ergebnis = Breit(einheiten);
    if (ergebnis.size() < KurzGenug || BeginntMit(ergebnis, L"\\\\?\\") || BeginntMit(ergebnis, L"\\\\.\\"))
        return true;
    const DWORD noetig = ::GetFullPathNameW(ergebnis.c_str(), 0, nullptr, nullptr);
    if (noetig == 0)
        return true;
    std::wstring voll(noetig, L'\0');
    const DWORD n = ::GetFullPathNameW(ergebnis.c_str(), noetig, voll.data(), nullptr);
    if (n == 0 || n >= noetig)
        return true;
    voll.resize(n);
    if (BeginntMit(voll, L"\\\\?\\") || BeginntMit(voll, L"\\\\.\\"))
        ergebnis = voll; // a device name, or already in the long form
    else if (BeginntMit(voll, L"\\\\"))
        ergebnis = L"\\\\?\\UNC\\" + voll.substr(2);
    else if (voll.size() >= 3 && voll[1] == L':' && voll[2] == L'\\')
        ergebnis = L"\\\\?\\" + voll;
    return true;
}

// The path for the calls that take the working directory as the empty text.
bool SystempfadOderHier(const std::string& pfad, std::wstring& ergebnis)
{
    return Systempfad(pfad.empty() ? std::string(".") : pfad, ergebnis);
}

// A handle that closes itself; for the short looks below.
class TGriff {
public:
    explicit TGriff(HANDLE griff) : griff_(griff) {}
    ~TGriff()
    {
        if (Gueltig())
            ::CloseHandle(griff_);
    }
    TGriff(const TGriff&) = delete;
    TGriff& operator=(const TGriff&) = delete;

    bool Gueltig() const { return griff_ != INVALID_HANDLE_VALUE; }
    HANDLE Wert() const { return griff_; }

private:
    HANDLE griff_;
};

bool GriffKennung(HANDLE griff, TDateiKennung& kennung)
{
    // The 128-bit id first: on ReFS the old 64-bit file index is not unique,
    // and two directories taken for one would make a walk skip the second.
    FILE_ID_INFO id;
    if (::GetFileInformationByHandleEx(griff, FileIdInfo, &id, sizeof id)) {
        static_assert(sizeof id.FileId.Identifier == 2 * sizeof(uint64_t));
        kennung.geraet = id.VolumeSerialNumber;
        std::memcpy(&kennung.knoten, id.FileId.Identifier, sizeof kennung.knoten);
        std::memcpy(&kennung.knotenHoch, id.FileId.Identifier + sizeof kennung.knoten,
                    sizeof kennung.knotenHoch);
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(griff, &info))
        return false;
    kennung = {info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

// Device names such as NUL, COM1 or "con.txt" name a device in every
// directory; the system's own path rules say so without a look at the disk.
bool IstGeraetename(const std::wstring& breit)
{
    if (BeginntMit(breit, L"\\\\?\\") || BeginntMit(breit, L"\\\\.\\"))
        return false;
    // The longest device path is \\.\CONOUT$; a longer result is none.
    wchar_t voll[16];
    const DWORD n = ::GetFullPathNameW(breit.c_str(), 16, voll, nullptr);
    return n > 0 && n < 16 && std::wcsncmp(voll, L"\\\\.\\", 4) == 0;
}

// What a handle names: attributes and, for a file, its length. False for a
// device.
bool GriffAnsehen(HANDLE griff, DWORD& attribute, int64_t& laenge)
{
    FILE_BASIC_INFO basis;
    FILE_STANDARD_INFO standard;
    if (::GetFileType(griff) != FILE_TYPE_DISK
        || !::GetFileInformationByHandleEx(griff, FileBasicInfo, &basis, sizeof basis)
        || !::GetFileInformationByHandleEx(griff, FileStandardInfo, &standard, sizeof standard))
        return false;
    attribute = basis.FileAttributes;
    laenge = standard.EndOfFile.QuadPart;
    return true;
}

// What a path names after following links.
struct TAnsicht {
    bool verzeichnis = false;
    bool datei = false; // a regular file: on a disk and not a directory
    bool mitKennung = false;
    TDateiKennung kennung;
};

// kennung: also read the identity, which needs the path opened. Otherwise
// one query of the attributes does, unless the path is a link.
bool Ansehen(const std::string& pfad, TAnsicht& ansicht, bool kennung)
{
    std::wstring breit;
    if (!SystempfadOderHier(pfad, breit))
        return false;
    ansicht = {};
    if (!kennung) {
        WIN32_FILE_ATTRIBUTE_DATA daten;
        if (!::GetFileAttributesExW(breit.c_str(), GetFileExInfoStandard, &daten))
            return false;
        if (!(daten.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            ansicht.verzeichnis = (daten.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            ansicht.datei = !ansicht.verzeichnis && !IstGeraetename(breit);
            return true;
        }
    }
    // Opened without any access right, which no other program's sharing
    // mode can refuse; FILE_FLAG_BACKUP_SEMANTICS lets directories open too.
    // The open follows links.
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!griff.Gueltig())
        return false;
    DWORD attribute = 0;
    int64_t laenge = 0;
    if (!GriffAnsehen(griff.Wert(), attribute, laenge))
        return true; // a device: neither file nor directory
    ansicht.verzeichnis = (attribute & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ansicht.datei = !ansicht.verzeichnis;
    ansicht.mitKennung = kennung && GriffKennung(griff.Wert(), ansicht.kennung);
    return true;
}

// The state of one listing: FindFirstFileExW hands over the first entry
// together with the search handle, so it waits here for the first Naechster.
struct TSuche {
    HANDLE griff = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW eintrag{};
    bool vorrat = false;
    std::string verzeichnis; // to put before an entry's name, separator included
};

// Windows counts in 100 ns steps since 1601; the core, as POSIX, in
// nanoseconds since 1970.
int64_t Nanosekunden(const LARGE_INTEGER& zeit)
{
    constexpr int64_t Von1601Bis1970 = 116444736000000000;
    return (zeit.QuadPart - Von1601Bis1970) * 100;
}

// Identity, length and last change of the plain file behind a handle; false
// for a directory or a device.
bool GriffStand(HANDLE griff, TDateiStand& stand)
{
    FILE_BASIC_INFO basis;
    FILE_STANDARD_INFO standard;
    if (::GetFileType(griff) != FILE_TYPE_DISK
        || !::GetFileInformationByHandleEx(griff, FileBasicInfo, &basis, sizeof basis)
        || !::GetFileInformationByHandleEx(griff, FileStandardInfo, &standard, sizeof standard)
        || (basis.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    stand.groesse = standard.EndOfFile.QuadPart;
    stand.geaendert = Nanosekunden(basis.LastWriteTime);
    return GriffKennung(griff, stand.kennung);
}

// A TDatei holds a HANDLE in its int: Windows keeps handles within 32 bits
// so that 32- and 64-bit processes can share them (HandleToLong), and the
// handles of files are positive, so a negative value still means closed.
HANDLE AlsGriff(int fd)
{
    return LongToHandle(fd);
}

int AlsZahl(HANDLE griff)
{
    return griff == INVALID_HANDLE_VALUE ? -1 : HandleToLong(griff);
}

// Refuses anything that is not a plain file on a disk: a device opened by
// name (NUL, COM1, a pipe) is closed again. The file's length at this moment
// goes to laenge.
int NurDatei(HANDLE griff, int64_t& laenge)
{
    if (griff == INVALID_HANDLE_VALUE)
        return -1;
    DWORD attribute = 0;
    if (!GriffAnsehen(griff, attribute, laenge) || (attribute & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(griff);
        return -1;
    }
    return AlsZahl(griff);
}

// ReadFile and WriteFile count in DWORDs; larger requests go in pieces.
constexpr int64_t GroessterSchritt = int64_t{1} << 30;

} // namespace

bool BeendetVerzeichnisteil(char c)
{
    return c == Trenner || c == ':';
}

bool IstVerzeichnis(const std::string& pfad)
{
    TAnsicht ansicht;
    return Ansehen(pfad, ansicht, false) && ansicht.verzeichnis;
}

bool IstDatei(const std::string& pfad)
{
    TAnsicht ansicht;
    return !pfad.empty() && Ansehen(pfad, ansicht, false) && ansicht.datei;
}

bool KennungLesen(const std::string& pfad, TDateiKennung& kennung)
{
    TAnsicht ansicht;
    if (!Ansehen(pfad, ansicht, true) || !ansicht.mitKennung)
        return false;
    kennung = ansicht.kennung;
    return true;
}

bool VerzeichnisKennung(const std::string& pfad, TDateiKennung& kennung)
{
    TAnsicht ansicht;
    if (!Ansehen(pfad, ansicht, true) || !ansicht.verzeichnis || !ansicht.mitKennung)
        return false;
    kennung = ansicht.kennung;
    return true;
}

namespace {

// The errno nearest to a system error code, so that a reason reads the same
// on every platform; minus the code itself where there is none.
int Fehlernummer(DWORD fehler)
{
    switch (fehler) {
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY: return EBUSY;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_CRC:
    case ERROR_IO_DEVICE: return EIO;
    case ERROR_INVALID_NAME: return EINVAL;
    default: return -static_cast<int>(fehler);
    }
}

} // namespace

TVerzeichnisListe::TVerzeichnisListe(const std::string& verzeichnis)
{
    // The pattern: every entry below the directory. After a final separator
    // or a drive colon ("C:" lists the drive's working directory) the "*"
    // follows directly.
    std::string ort = verzeichnis;
    if (!ort.empty() && !BeendetVerzeichnisteil(ort.back()) && ort.back() != '/')
        ort += Trenner;
    std::wstring breit;
    grund_ = TGrund::Eigen(TGrundArt::UngueltigerName);
    if (!Systempfad(ort + '*', breit))
        return;
    grund_ = TGrund::System(ENOMEM);
    auto* suche = new (std::nothrow) TSuche;
    if (!suche)
        return;
    grund_ = {};
    suche->verzeichnis = ort;
    // Basic information leaves out the 8.3 names we never use, and the large
    // fetch asks for many entries per call.
    suche->griff = ::FindFirstFileExW(breit.c_str(), FindExInfoBasic, &suche->eintrag,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    suche->vorrat = suche->griff != INVALID_HANDLE_VALUE;
    // A drive's root has no "." or "..": when it is empty there is no first
    // entry, yet the directory was listed.
    const DWORD fehler = ::GetLastError();
    if (!suche->vorrat && (fehler != ERROR_FILE_NOT_FOUND || !IstVerzeichnis(verzeichnis))) {
        delete suche;
        keineDeskriptoren_ = fehler == ERROR_TOO_MANY_OPEN_FILES;
        grund_ = TGrund::System(Fehlernummer(fehler));
        return;
    }
    handle_ = suche;
}

TVerzeichnisListe::~TVerzeichnisListe()
{
    auto* suche = static_cast<TSuche*>(handle_);
    if (!suche)
        return;
    if (suche->griff != INVALID_HANDLE_VALUE)
        ::FindClose(suche->griff);
    delete suche;
}

bool TVerzeichnisListe::Naechster(std::string& name, TEintragsArt& art)
{
    auto* suche = static_cast<TSuche*>(handle_);
    if (!suche || suche->griff == INVALID_HANDLE_VALUE)
        return false;
    if (!suche->vorrat && !::FindNextFileW(suche->griff, &suche->eintrag))
        return false;
    suche->vorrat = false;
    const WIN32_FIND_DATAW& eintrag = suche->eintrag;
    name = Schmal(eintrag.cFileName, std::wcslen(eintrag.cFileName));
    // A reparse point may be a link to a directory, or a file whose data
    // lies elsewhere: the caller looks at it.
    if (eintrag.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        art = TEintragsArt::Unbekannt;
    else if (eintrag.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        art = TEintragsArt::Verzeichnis;
    else
        art = TEintragsArt::Datei;
    return true;
}

bool TVerzeichnisListe::Info(const std::string& name, TEintragsInfo& info) const
{
    // Windows has no lookup relative to an open listing: the entry is opened
    // by its full name, once, for all it tells.
    const auto* suche = static_cast<const TSuche*>(handle_);
    if (!suche || name.empty())
        return false;
    return PfadInfo(suche->verzeichnis + name, info);
}

TDatei::~TDatei()
{
    if (fd_ >= 0)
        ::CloseHandle(AlsGriff(fd_)); // Nothing to report from a destructor; Schliessen() reports.
}

TDatei::TDatei(TDatei&& andere) noexcept : fd_(andere.fd_), laenge_(andere.laenge_)
{
    andere.fd_ = -1;
    andere.laenge_ = -1;
}

TDatei& TDatei::operator=(TDatei&& andere) noexcept
{
    if (this != &andere) {
        if (fd_ >= 0)
            ::CloseHandle(AlsGriff(fd_));
        fd_ = andere.fd_;
        laenge_ = andere.laenge_;
        andere.fd_ = -1;
        andere.laenge_ = -1;
    }
    return *this;
}

TDatei TDatei::OeffnenLesen(const std::string& pfad)
{
    bool keineDeskriptoren = false;
    return OeffnenLesen(pfad, keineDeskriptoren);
}

TDatei TDatei::OeffnenLesen(const std::string& pfad, bool& keineDeskriptoren)
{
    keineDeskriptoren = false;
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open at all.
    HANDLE griff = ::CreateFileW(breit.c_str(), GENERIC_READ, AllesTeilen, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (griff == INVALID_HANDLE_VALUE)
        keineDeskriptoren = ::GetLastError() == ERROR_TOO_MANY_OPEN_FILES;
    int64_t laenge = -1;
    TDatei datei(NurDatei(griff, laenge));
    if (datei.Offen())
        datei.laenge_ = laenge;
    return datei;
}

bool TDatei::LesenAusCache(int64_t, void*, int64_t)
{
    // Windows cannot tell without waiting: the caller reads as usual.
    return false;
}

void TDatei::VorausLesen(int64_t position, int64_t anzahl) const
{
    // Windows has no hint for a range of a file; FILE_FLAG_SEQUENTIAL_SCAN,
    // set at opening, already has the cache read ahead eagerly.
    (void)position;
    (void)anzahl;
}

TDatei TDatei::ErzeugenSchreiben(const std::string& pfad)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    // Others may read what we write, but not write into it or take it away
    // before it is complete.
    int64_t laenge = -1;
    return TDatei(NurDatei(::CreateFileW(breit.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
                           laenge));
}

TDatei TDatei::ErzeugenNeu(const std::string& pfad)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    // CREATE_NEW fails on any existing name, a reparse point included.
    int64_t laenge = -1;
    return TDatei(NurDatei(::CreateFileW(breit.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
                           laenge));
}

int64_t TDatei::Laenge() const
{
    if (laenge_ >= 0)
        return laenge_;
    LARGE_INTEGER laenge;
    if (fd_ < 0 || !::GetFileSizeEx(AlsGriff(fd_), &laenge))
        return -1;
    return laenge.QuadPart;
}

int64_t TDatei::Lesen(void* puffer, int64_t anzahl)
{
    if (fd_ < 0)
        return -1;
    auto* ziel = static_cast<char*>(puffer);
    int64_t gelesen = 0;
    while (gelesen < anzahl) {
        const auto schritt = static_cast<DWORD>(std::min(anzahl - gelesen, GroessterSchritt));
        DWORD n = 0;
        if (!::ReadFile(AlsGriff(fd_), ziel + gelesen, schritt, &n, nullptr))
            return ::GetLastError() == ERROR_HANDLE_EOF ? gelesen : -1;
        if (n == 0)
            break;
        gelesen += n;
    }
    return gelesen;
}

int64_t TDatei::LesenAb(int64_t position, void* puffer, int64_t anzahl)
{
    if (fd_ < 0 || position < 0)
        return -1;
    // A read at an offset moves the position of a handle opened for
    // synchronous use; it is put back, so that Lesen goes on where it was.
    LARGE_INTEGER null{}, bisher;
    if (!::SetFilePointerEx(AlsGriff(fd_), null, &bisher, FILE_CURRENT))
        return -1;
    auto* ziel = static_cast<char*>(puffer);
    int64_t gelesen = 0;
    bool fehler = false;
    while (gelesen < anzahl) {
        const auto schritt = static_cast<DWORD>(std::min(anzahl - gelesen, GroessterSchritt));
        const auto ab = static_cast<uint64_t>(position + gelesen);
        OVERLAPPED stelle{};
        stelle.Offset = static_cast<DWORD>(ab);
        stelle.OffsetHigh = static_cast<DWORD>(ab >> 32);
        DWORD n = 0;
        if (!::ReadFile(AlsGriff(fd_), ziel + gelesen, schritt, &n, &stelle)) {
            // Reading at or past the end reports that as an error.
            fehler = ::GetLastError() != ERROR_HANDLE_EOF;
            break;
        }
        if (n == 0)
            break;
        gelesen += n;
    }
    if (!::SetFilePointerEx(AlsGriff(fd_), bisher, nullptr, FILE_BEGIN) || fehler)
        return -1;
    return gelesen;
}

bool TDatei::Schreiben(const void* puffer, int64_t anzahl)
{
    if (fd_ < 0)
        return false;
    const auto* quelle = static_cast<const char*>(puffer);
    int64_t geschrieben = 0;
    while (geschrieben < anzahl) {
        const auto schritt = static_cast<DWORD>(std::min(anzahl - geschrieben, GroessterSchritt));
        DWORD n = 0;
        if (!::WriteFile(AlsGriff(fd_), quelle + geschrieben, schritt, &n, nullptr) || n == 0)
            return false;
        geschrieben += n;
    }
    return true;
}

bool TDatei::Kennung(TDateiKennung& kennung) const
{
    return fd_ >= 0 && GriffKennung(AlsGriff(fd_), kennung);
}

bool TDatei::Stand(TDateiStand& stand) const
{
    return fd_ >= 0 && GriffStand(AlsGriff(fd_), stand);
}

bool TDatei::Schliessen()
{
    if (fd_ < 0)
        return false;
    const HANDLE griff = AlsGriff(fd_);
    fd_ = -1;
    return ::CloseHandle(griff) != 0;
}

bool DateiEntfernen(const std::string& pfad)
{
    std::wstring breit;
    return !pfad.empty() && Systempfad(pfad, breit) && ::DeleteFileW(breit.c_str()) != 0;
}

bool DateiUmbenennen(const std::string& alt, const std::string& neu)
{
    std::wstring breitAlt, breitNeu;
    if (alt.empty() || neu.empty() || !Systempfad(alt, breitAlt) || !Systempfad(neu, breitNeu))
        return false;
    // A read-only target is kept, also for an administrator. NTFS refuses to
    // replace it by itself, but not every file system behind the API does
    // (Wine's, for one), so ask.
    const DWORD ziel = ::GetFileAttributesW(breitNeu.c_str());
    if (ziel != INVALID_FILE_ATTRIBUTES && (ziel & FILE_ATTRIBUTE_READONLY)
        && !(ziel & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    // Within one volume this is a single rename that replaces the target; no
    // MOVEFILE_COPY_ALLOWED, which would copy across volumes in many steps.
    return ::MoveFileExW(breitAlt.c_str(), breitNeu.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool StandLesen(const std::string& pfad, TDateiStand& stand)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return false;
    // No access right asked for, so no sharing mode of another program can
    // refuse the look; the open follows links.
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return griff.Gueltig() && GriffStand(griff.Wert(), stand);
}

bool VerzeichnisEntfernen(const std::string& pfad)
{
    std::wstring breit;
    return !pfad.empty() && Systempfad(pfad, breit) && ::RemoveDirectoryW(breit.c_str()) != 0;
}

bool VerzeichnisAnlegen(const std::string& pfad)
{
    std::wstring breit;
    return !pfad.empty() && Systempfad(pfad, breit) && ::CreateDirectoryW(breit.c_str(), nullptr) != 0;
}

std::string ProgrammVerzeichnis()
{
    // The buffer grows until the whole name fits: a full buffer means the
    // name was cut.
    std::wstring puffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, puffer.data(), static_cast<DWORD>(puffer.size()));
        if (n == 0)
            return std::string(1, Trenner);
        if (n < puffer.size()) {
            const std::string pfad = Schmal(puffer.data(), n);
            return pfad.substr(0, pfad.rfind(Trenner) + 1);
        }
        if (puffer.size() >= 32768)
            return std::string(1, Trenner);
        puffer.resize(puffer.size() * 2);
    }
}

std::string BenutzerEinstellungen()
{
    const wchar_t* appdata = ::_wgetenv(L"APPDATA");
    if (!appdata || !*appdata)
        return {};
    std::string pfad = Schmal(appdata, std::wcslen(appdata));
    if (pfad.back() != Trenner)
        pfad += Trenner;
    return pfad;
}

bool NameBelegt(const std::string& pfad)
{
    // The attributes of a link are its own: nothing is followed.
    std::wstring breit;
    return !pfad.empty() && Systempfad(pfad, breit) && ::GetFileAttributesW(breit.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool PrivatesVerzeichnisAnlegen(const std::string& pfad)
{
    // The profile's directories pass on their owner-only access.
    return VerzeichnisAnlegen(pfad);
}

std::string LetzterFehler()
{
    return std::system_category().message(static_cast<int>(::GetLastError()));
}

TGrund LetzterGrund(std::string ort)
{
    return TGrund::System(Fehlernummer(::GetLastError()), std::move(ort));
}

} // namespace plattform

// --- Rewriting a file shared with other programs ---------------------------

namespace plattform {

// A link (a reparse point) is asked for its final path by a handle opened
// through it; anything else is its own real path. A dangling link cannot be
// asked, and the save then fails rather than replacing the link.
bool EchterPfad(const std::string& pfad, std::string& echt)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return false;
    const DWORD attribute = ::GetFileAttributesW(breit.c_str());
    if (attribute == INVALID_FILE_ATTRIBUTES || !(attribute & FILE_ATTRIBUTE_REPARSE_POINT)) {
        echt = pfad;
        return true;
    }
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!griff.Gueltig())
        return false;
    std::wstring voll(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(griff.Wert(), voll.data(), static_cast<DWORD>(voll.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return false;
        if (n < voll.size()) {
            echt = Schmal(voll.data(), n);
            return true;
        }
        voll.resize(n + 1);
    }
}

// Owner and group have no meaning here: the rights are ACLs, and
// DateiErsetzen carries them over. What is read is the read-only attribute
// and the links.
bool TDatei::RechteLesen(TDateiRechte& rechte) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (fd_ < 0 || !::GetFileInformationByHandle(AlsGriff(fd_), &info))
        return false;
    rechte = {};
    rechte.regulaer = ::GetFileType(AlsGriff(fd_)) == FILE_TYPE_DISK
                      && !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    rechte.beschreibbar = !(info.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    rechte.verweise = info.nNumberOfLinks;
    rechte.modus = rechte.beschreibbar ? 0666 : 0444;
    return true;
}

TDatei TDatei::OeffnenZumAendern(const std::string& pfad, bool& fehlt)
{
    fehlt = false;
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    // Shared for reading and writing, so that a second save of ours opens
    // too and waits in Sperren; and for deleting, so that a save that
    // replaces the file can rename over it while another holds it open.
    // A link at the end is opened as itself and then refused.
    HANDLE griff = ::CreateFileW(breit.c_str(), GENERIC_READ | GENERIC_WRITE, AllesTeilen, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (griff == INVALID_HANDLE_VALUE) {
        fehlt = ::GetLastError() == ERROR_FILE_NOT_FOUND;
        return {};
    }
    int64_t laenge = -1;
    TDatei datei(NurDatei(griff, laenge));
    BY_HANDLE_FILE_INFORMATION info;
    if (!datei.Offen() || !::GetFileInformationByHandle(AlsGriff(datei.fd_), &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return {};
    return datei;
}

TDatei TDatei::ErzeugenNeuPrivat(const std::string& pfad)
{
    // No mode bits to narrow: the new file takes its directory's ACL, and
    // nobody else may open it while we write (no sharing at all).
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    int64_t laenge = -1;
    return TDatei(NurDatei(::CreateFileW(breit.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr),
                           laenge));
}

bool TDatei::ZusatzUebernehmen(const TDatei& quelle)
{
    // ReplaceFileW in DateiErsetzen carries ACL, attributes and streams.
    return fd_ >= 0 && quelle.fd_ >= 0;
}

bool TDatei::SchreibenAb(int64_t position, const void* puffer, int64_t anzahl)
{
    if (fd_ < 0 || position < 0)
        return false;
    const auto* quelle = static_cast<const char*>(puffer);
    int64_t geschrieben = 0;
    while (geschrieben < anzahl) {
        const auto schritt = static_cast<DWORD>(std::min(anzahl - geschrieben, GroessterSchritt));
        const auto ab = static_cast<uint64_t>(position + geschrieben);
        OVERLAPPED stelle{};
        stelle.Offset = static_cast<DWORD>(ab);
        stelle.OffsetHigh = static_cast<DWORD>(ab >> 32);
        DWORD n = 0;
        if (!::WriteFile(AlsGriff(fd_), quelle + geschrieben, schritt, &n, &stelle) || n == 0)
            return false;
        geschrieben += n;
    }
    return true;
}

bool TDatei::Festschreiben()
{
    return fd_ >= 0 && ::FlushFileBuffers(AlsGriff(fd_)) != 0;
}

bool DateiErsetzen(const std::string& neu, const std::string& ziel)
{
    std::wstring breitNeu, breitZiel;
    if (neu.empty() || ziel.empty() || !Systempfad(neu, breitNeu) || !Systempfad(ziel, breitZiel))
        return false;
    // ReplaceFileW gives the new file the old one's ACL, attributes and
    // streams. Without a backup name, ERROR_UNABLE_TO_MOVE_REPLACEMENT means
    // the old file is already gone and the new one still has its own name:
    // then it is moved into the empty place.
    if (::ReplaceFileW(breitZiel.c_str(), breitNeu.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr))
        return true;
    return ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT
           && ::MoveFileExW(breitNeu.c_str(), breitZiel.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

TDatei TDatei::OeffnenZumUeberschreiben(const std::string& pfad)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return {};
    // OPEN_EXISTING neither creates nor empties; a link at the end is opened
    // as itself and then refused. Shared for writing, so that a second save
    // of ours opens too and waits in Sperren instead of failing.
    int64_t laenge = -1;
    TDatei datei(NurDatei(::CreateFileW(breit.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr),
                          laenge));
    BY_HANDLE_FILE_INFORMATION info;
    if (!datei.Offen() || !::GetFileInformationByHandle(AlsGriff(datei.fd_), &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return {};
    return datei;
}

bool TDatei::RechteSetzen(const TDateiRechte& rechte)
{
    // Only a writable file is ever rewritten, so there is no read-only
    // attribute to carry over; see RechteLesen for owner and ACLs.
    return fd_ >= 0 && rechte.beschreibbar;
}

bool TDatei::LaengeSetzen(int64_t laenge)
{
    if (fd_ < 0 || laenge < 0)
        return false;
    FILE_END_OF_FILE_INFO ende;
    ende.EndOfFile.QuadPart = laenge;
    return ::SetFileInformationByHandle(AlsGriff(fd_), FileEndOfFileInfo, &ende, sizeof ende) != 0;
}

bool TDatei::Sperren()
{
    // Windows locks are binding: a locked range refuses every other reader.
    // So one byte far past any real contents is locked, which only other
    // savers ask for and no read ever touches. Without
    // LOCKFILE_FAIL_IMMEDIATELY the call waits for another holder.
    OVERLAPPED stelle{};
    stelle.Offset = MAXDWORD;
    stelle.OffsetHigh = 0x7FFFFFFF;
    return fd_ >= 0 && ::LockFileEx(AlsGriff(fd_), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &stelle) != 0;
}

} // namespace plattform

// --- Looking an entry up by its whole path ---------------------------------

namespace plattform {

bool PfadInfo(const std::string& pfad, TEintragsInfo& info)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return false;
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!griff.Gueltig())
        return false;
    info = {};
    FILE_BASIC_INFO basis;
    FILE_STANDARD_INFO standard;
    if (::GetFileType(griff.Wert()) != FILE_TYPE_DISK
        || !::GetFileInformationByHandleEx(griff.Wert(), FileBasicInfo, &basis, sizeof basis)
        || !::GetFileInformationByHandleEx(griff.Wert(), FileStandardInfo, &standard, sizeof standard))
        return true; // a device: neither file nor directory
    info.verzeichnis = (basis.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.regulaer = !info.verzeichnis;
    if (info.regulaer)
        info.groesse = standard.EndOfFile.QuadPart;
    info.geaendert = Nanosekunden(basis.LastWriteTime);
    info.statusGeaendert = Nanosekunden(basis.ChangeTime);
    return GriffKennung(griff.Wert(), info.kennung);
}

bool PfadZuLang(size_t)
{
    // With the \\?\ prefix (Systempfad) the length is the file system's
    // business; a path it cannot take fails in the lookup itself.
    return false;
}

size_t DeskriptorenHoechstens()
{
    // Handles are limited only by memory; the C runtime's table is not used.
    return 16384;
}

} // namespace plattform

// --- Copy and move of listed files -----------------------------------------

namespace plattform {

namespace {

// A name that stays inside its directory: no separator of either kind, not
// "." or "..".
bool EinfacherName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('\\') == std::string::npos
           && name.find('/') == std::string::npos;
}

bool GriffQuellStand(HANDLE griff, TQuellStand& stand)
{
    FILE_BASIC_INFO basis;
    if (!GriffStand(griff, stand.stand)
        || !::GetFileInformationByHandleEx(griff, FileBasicInfo, &basis, sizeof basis))
        return false;
    stand.statusGeaendert = Nanosekunden(basis.ChangeTime);
    return true;
}

// Attributes of what the handle names itself (opened without following).
bool GriffAttribute(HANDLE griff, DWORD& attribute)
{
    FILE_BASIC_INFO basis;
    if (!::GetFileInformationByHandleEx(griff, FileBasicInfo, &basis, sizeof basis))
        return false;
    attribute = basis.FileAttributes;
    return true;
}

} // namespace

bool TDatei::Stand(TQuellStand& stand) const
{
    return fd_ >= 0 && GriffQuellStand(AlsGriff(fd_), stand);
}

bool QuellStandLesen(const std::string& pfad, TQuellStand& stand)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return false;
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return griff.Gueltig() && GriffQuellStand(griff.Wert(), stand);
}

bool IstVerweis(const std::string& pfad)
{
    std::wstring breit;
    if (pfad.empty() || !Systempfad(pfad, breit))
        return false;
    const DWORD attribute = ::GetFileAttributesW(breit.c_str());
    return attribute != INVALID_FILE_ATTRIBUTES && (attribute & FILE_ATTRIBUTE_REPARSE_POINT);
}

TVerzeichnisGriff::~TVerzeichnisGriff()
{
    if (fd_ >= 0)
        ::CloseHandle(AlsGriff(fd_));
}

TVerzeichnisGriff::TVerzeichnisGriff(TVerzeichnisGriff&& andere) noexcept
    : fd_(andere.fd_), pfad_(std::move(andere.pfad_))
{
    andere.fd_ = -1;
}

TVerzeichnisGriff& TVerzeichnisGriff::operator=(TVerzeichnisGriff&& andere) noexcept
{
    if (this != &andere) {
        if (fd_ >= 0)
            ::CloseHandle(AlsGriff(fd_));
        fd_ = andere.fd_;
        pfad_ = std::move(andere.pfad_);
        andere.fd_ = -1;
    }
    return *this;
}

TVerzeichnisGriff TVerzeichnisGriff::Oeffnen(const std::string& pfad)
{
    TVerzeichnisGriff griff;
    std::wstring breit;
    if (!SystempfadOderHier(pfad, breit))
        return griff;
    // Held open, sharing everything, so that the directory is ours to ask
    // about; the calls below go by name, as Windows has no *at() calls.
    TGriff offen(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD attribute = 0;
    if (!offen.Gueltig() || !GriffAttribute(offen.Wert(), attribute) || !(attribute & FILE_ATTRIBUTE_DIRECTORY))
        return griff;
    HANDLE eigen = INVALID_HANDLE_VALUE;
    ::DuplicateHandle(::GetCurrentProcess(), offen.Wert(), ::GetCurrentProcess(), &eigen, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    griff.fd_ = AlsZahl(eigen);
    griff.pfad_ = pfad.empty() ? std::string(".") : pfad;
    if (griff.pfad_.back() != '\\' && griff.pfad_.back() != '/')
        griff.pfad_ += '\\';
    return griff;
}

bool TVerzeichnisGriff::Kennung(TDateiKennung& kennung) const
{
    return fd_ >= 0 && GriffKennung(AlsGriff(fd_), kennung);
}

TVerzeichnisGriff TVerzeichnisGriff::Unterverzeichnis(const std::string& name, uint32_t /*modus*/, bool& neu) const
{
    TVerzeichnisGriff griff;
    neu = false;
    std::wstring breit;
    if (fd_ < 0 || !EinfacherName(name) || !Systempfad(pfad_ + name, breit))
        return griff;
    neu = ::CreateDirectoryW(breit.c_str(), nullptr) != 0;
    if (!neu && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return griff;
    // Opened as what stands there, not where it points: a junction or a
    // link to a directory elsewhere is refused.
    TGriff offen(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    DWORD attribute = 0;
    if (!offen.Gueltig() || !GriffAttribute(offen.Wert(), attribute) || !(attribute & FILE_ATTRIBUTE_DIRECTORY)
        || (attribute & FILE_ATTRIBUTE_REPARSE_POINT))
        return griff;
    HANDLE eigen = INVALID_HANDLE_VALUE;
    ::DuplicateHandle(::GetCurrentProcess(), offen.Wert(), ::GetCurrentProcess(), &eigen, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    griff.fd_ = AlsZahl(eigen);
    griff.pfad_ = pfad_ + name + '\\';
    return griff;
}

TDatei TVerzeichnisGriff::DateiLesen(const std::string& name) const
{
    std::wstring breit;
    if (fd_ < 0 || !EinfacherName(name) || !Systempfad(pfad_ + name, breit))
        return {};
    const HANDLE griff = ::CreateFileW(breit.c_str(), GENERIC_READ, AllesTeilen, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    DWORD attribute = 0;
    if (griff != INVALID_HANDLE_VALUE && (!GriffAttribute(griff, attribute) || (attribute & FILE_ATTRIBUTE_REPARSE_POINT))) {
        ::CloseHandle(griff);
        return {};
    }
    int64_t laenge = -1;
    TDatei datei(NurDatei(griff, laenge));
    datei.laenge_ = laenge;
    return datei;
}

TDatei TVerzeichnisGriff::DateiLesen(const std::string& name, bool& keineDeskriptoren) const
{
    keineDeskriptoren = false;
    if (fd_ < 0 || !EinfacherName(name))
        return {};
    return TDatei::OeffnenLesen(pfad_ + name, keineDeskriptoren);
}

void TVerzeichnisGriff::Festschreiben() const {}

bool TVerzeichnisGriff::DateiEntfernen(const std::string& name) const
{
    std::wstring breit;
    return fd_ >= 0 && EinfacherName(name) && Systempfad(pfad_ + name, breit) && ::DeleteFileW(breit.c_str()) != 0;
}

TUmbenennung TVerzeichnisGriff::Hereinholen(const std::string& quelle, const std::string& name) const
{
    std::wstring breitAlt, breitNeu;
    if (fd_ < 0 || quelle.empty() || !EinfacherName(name) || !Systempfad(quelle, breitAlt)
        || !Systempfad(pfad_ + name, breitNeu))
        return TUmbenennung::Fehler;
    // Neither MOVEFILE_REPLACE_EXISTING nor MOVEFILE_COPY_ALLOWED: an
    // existing target stays, and across volumes the caller copies itself.
    // Write-through: the rename is on the disk when the call returns.
    if (::MoveFileExW(breitAlt.c_str(), breitNeu.c_str(), MOVEFILE_WRITE_THROUGH))
        return TUmbenennung::Erledigt;
    const DWORD fehler = ::GetLastError();
    if (fehler == ERROR_ALREADY_EXISTS || fehler == ERROR_FILE_EXISTS)
        return TUmbenennung::ZielVorhanden;
    return fehler == ERROR_NOT_SAME_DEVICE ? TUmbenennung::AnderesGeraet : TUmbenennung::Fehler;
}

bool AufPlatteBringen(TDatei* const* dateien, size_t anzahl)
{
    // Windows has no call for a whole volume that a user may make; each
    // new file is flushed, which also writes its directory entry.
    bool gut = true;
    for (size_t i = 0; i < anzahl; ++i) {
        if (!dateien[i] || !dateien[i]->Offen()) {
            gut = false;
            continue;
        }
        const HANDLE griff = AlsGriff(dateien[i]->fd_);
        if (::FlushFileBuffers(griff))
            continue;
        // A file held for reading only (one found at the target) is flushed
        // through a second handle that may write.
        TGriff schreibend(::ReOpenFile(griff, GENERIC_WRITE, AllesTeilen, 0));
        gut = schreibend.Gueltig() && ::FlushFileBuffers(schreibend.Wert()) && gut;
    }
    return gut;
}

bool TVerzeichnisGriff::Stand(const std::string& name, TQuellStand& stand) const
{
    std::wstring breit;
    if (fd_ < 0 || !EinfacherName(name) || !Systempfad(pfad_ + name, breit))
        return false;
    TGriff griff(::CreateFileW(breit.c_str(), 0, AllesTeilen, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    DWORD attribute = 0;
    return griff.Gueltig() && GriffAttribute(griff.Wert(), attribute) && !(attribute & FILE_ATTRIBUTE_REPARSE_POINT)
           && GriffQuellStand(griff.Wert(), stand);
}

TDatei TVerzeichnisGriff::TeilNeu(const std::string& name, bool& vorhanden) const
{
    vorhanden = false;
    std::wstring breit;
    if (fd_ < 0 || !EinfacherName(name) || !Systempfad(pfad_ + name, breit))
        return {};
    // Not shared for writing: while it is open, ResteEntfernen's exclusive
    // open fails, so a live copy is left alone. Shared for deleting, which
    // its own rename into place needs.
    const HANDLE griff = ::CreateFileW(breit.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (griff == INVALID_HANDLE_VALUE) {
        const DWORD fehler = ::GetLastError();
        vorhanden = fehler == ERROR_FILE_EXISTS || fehler == ERROR_ALREADY_EXISTS;
        return {};
    }
    int64_t laenge = -1;
    return TDatei(NurDatei(griff, laenge));
}

void TVerzeichnisGriff::ResteEntfernen(const std::string& praefix, const std::string& endung) const
{
    std::wstring muster;
    if (fd_ < 0 || !Systempfad(pfad_ + praefix + "*" + endung, muster))
        return;
    WIN32_FIND_DATAW eintrag;
    const HANDLE suche = ::FindFirstFileW(muster.c_str(), &eintrag);
    if (suche == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::wstring> reste;
    do {
        if (!(eintrag.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            reste.push_back(eintrag.cFileName);
    } while (::FindNextFileW(suche, &eintrag));
    ::FindClose(suche);
    std::wstring verzeichnis;
    if (!Systempfad(pfad_, verzeichnis))
        return;
    // Opened by nobody else (no sharing at all), or left alone: a copy
    // still being written is open. Deleted as the handle closes.
    for (const std::wstring& name : reste) {
        const TGriff weg(::CreateFileW((verzeichnis + name).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    }
}

TUmbenennung TVerzeichnisGriff::Umbenennen(const std::string& alt, const std::string& neu) const
{
    if (fd_ < 0 || !EinfacherName(alt))
        return TUmbenennung::Fehler;
    const TUmbenennung ergebnis = Hereinholen(pfad_ + alt, neu);
    return ergebnis == TUmbenennung::AnderesGeraet ? TUmbenennung::Fehler : ergebnis;
}

bool UmbenennungenFestschreiben(TDatei* const*, size_t)
{
    return true;
}

bool VerzeichnisModus(const std::string&, uint32_t&)
{
    return false;
}

int64_t TDatei::InhaltKopieren(TDatei& quelle, int64_t laenge)
{
    if (fd_ < 0 || quelle.fd_ < 0 || laenge < 0)
        return -1;
    constexpr int64_t Block = int64_t{1} << 20;
    const int64_t block = std::clamp<int64_t>(laenge, 1, Block);
    std::unique_ptr<char[]> puffer(new (std::nothrow) char[static_cast<size_t>(block)]);
    if (!puffer)
        return -1;
    for (int64_t stelle = 0; stelle < laenge;) {
        const int64_t n = quelle.LesenAb(stelle, puffer.get(), std::min<int64_t>(block, laenge - stelle));
        if (n < 0)
            return -1;
        if (n == 0)
            return stelle;
        if (!SchreibenAb(stelle, puffer.get(), n))
            return -1;
        stelle += n;
    }
    return laenge;
}

bool TDatei::EigenschaftenUebernehmen(const TDatei& quelle)
{
    // The ACL comes from the target directory, as for any new file there;
    // the times are the source's.
    FILE_BASIC_INFO basis;
    if (fd_ < 0 || quelle.fd_ < 0
        || !::GetFileInformationByHandleEx(AlsGriff(quelle.fd_), FileBasicInfo, &basis, sizeof basis))
        return false;
    return ::SetFileTime(AlsGriff(fd_), nullptr, reinterpret_cast<const FILETIME*>(&basis.LastAccessTime),
                         reinterpret_cast<const FILETIME*>(&basis.LastWriteTime))
           != 0;
}

} // namespace plattform

// --- Ending when asked to ------------------------------------------------------

namespace plattform {

int EndesignaleUmleiten()
{
    // A console's Ctrl-C and the session's end reach a Windows program by
    // other roads; the window saves at its close.
    return -1;
}

bool EndesignalWartet()
{
    return false;
}

int EndesignalLesen(int)
{
    return 0;
}

void AmSignalEnden(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace plattform

// --- The desktop's trash -----------------------------------------------------

namespace plattform {

struct TPapierkorb::TInnen {
    // The full paths of the files readied, as the shell takes them.
    std::vector<std::wstring> vorgemerkt;
};

TPapierkorb::TPapierkorb() : innen_(std::make_unique<TInnen>()) {}

TPapierkorb::~TPapierkorb() = default;

size_t TPapierkorb::Vorgemerkt() const
{
    return innen_->vorgemerkt.size();
}

bool TPapierkorb::Vormerken(const std::string& pfad, TGrund& grund)
{
    // The shell's file operation takes no \\?\ prefix, only a full path.
    std::u16string einheiten;
    if (!BreitAus(pfad, einheiten)) {
        grund = TGrund::Eigen(TGrundArt::UngueltigerName);
        return false;
    }
    const std::wstring breit = Breit(einheiten);
    const DWORD noetig = ::GetFullPathNameW(breit.c_str(), 0, nullptr, nullptr);
    std::wstring voll(noetig + 1, L'\0');
    const DWORD n = noetig ? ::GetFullPathNameW(breit.c_str(), noetig, voll.data(), nullptr) : 0;
    if (n == 0 || n >= noetig) {
        grund = LetzterGrund();
        return false;
    }
    voll.resize(n);
    const DWORD attribute = ::GetFileAttributesW(voll.c_str());
    if (attribute == INVALID_FILE_ATTRIBUTES) {
        grund = LetzterGrund();
        return false;
    }
    if (attribute & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
        grund = TGrund::Eigen(TGrundArt::KeineGewoehnlicheDatei);
        return false;
    }
    innen_->vorgemerkt.push_back(std::move(voll));
    return true;
}

std::vector<TGrund> TPapierkorb::Verschieben(const std::function<TGrund(size_t)>& pruefen)
{
    std::vector<TGrund> ergebnisse(innen_->vorgemerkt.size());
    for (size_t i = 0; i < innen_->vorgemerkt.size(); ++i) {
        if (pruefen && !(ergebnisse[i] = pruefen(i)).Leer())
            continue;
        // The list of names ends with a second zero.
        std::wstring namen = innen_->vorgemerkt[i];
        namen.append(2, L'\0');
        SHFILEOPSTRUCTW auftrag{};
        auftrag.wFunc = FO_DELETE;
        auftrag.pFrom = namen.c_str();
        // FOF_ALLOWUNDO makes the delete a move into the recycle bin; nothing
        // asks or shows progress, the window has asked already.
        auftrag.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        const int ergebnis = ::SHFileOperationW(&auftrag);
        if (ergebnis != 0 || auftrag.fAnyOperationsAborted)
            ergebnisse[i] = {TGrundArt::PapierkorbFehlernummer, ergebnis, {}};
    }
    innen_->vorgemerkt.clear();
    return ergebnisse;
}

} // namespace plattform
