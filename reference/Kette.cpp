#include "reference/Kette.h"

#include "reference/Loeschen.h"
#include "util/Speicher.h"
#include "reference/Textblock.h"

#include <cstdlib>
#include <new>
#include <string_view>
#include <utility>

namespace {

// Whether an element's payload reads as the text s. A block holds no NUL, so
// a text with a NUL in it never matches; a typed record is not read at all,
// since nothing says it ends in a NUL.
bool TextGleich(const Glied* glied, const std::string& s)
{
    if (!glied->Daten)
        return s.empty();
    if (glied->Typ != 0)
        return false;
    return std::string_view(static_cast<const char*>(glied->Daten)) == s;
}

} // namespace

// --- TEntnommen ---

TEntnommen::~TEntnommen()
{
    ::DatenFreigeben(daten_, typ_);
}

TEntnommen::TEntnommen(TEntnommen&& andere) noexcept
    : daten_(std::exchange(andere.daten_, nullptr)), typ_(std::exchange(andere.typ_, 0))
{
}

TEntnommen& TEntnommen::operator=(TEntnommen&& andere) noexcept
{
    if (this != &andere) {
        ::DatenFreigeben(daten_, typ_);
        daten_ = std::exchange(andere.daten_, nullptr);
        typ_ = std::exchange(andere.typ_, 0);
    }
    return *this;
}

std::string TEntnommen::Text() const
{
    if (typ_ != 0)
        return {};
    return TextAus(static_cast<const char*>(daten_));
}

void* TEntnommen::Loslassen()
{
    typ_ = 0;
    return std::exchange(daten_, nullptr);
}

// --- TKette ---

TKette::~TKette()
{
    Leeren();
}

void TKette::Leeren()
{
    while (Kopf)
        GliedEntfernen(Kopf);
    Kopf = nullptr;
    Cursor = nullptr;
    Ende = nullptr;
    CursorIndex = 0;
    Laenge = 0;
}

Glied* TKette::NeuesGlied(void* daten, uint8_t typ)
{
    void* speicher = nullptr;
    try {
        speicher = CHeapHolen(sizeof(Glied));
    } catch (...) {
        // The caller handed the payload over; nobody else can release it now.
        ::DatenFreigeben(daten, typ);
        throw;
    }
    return new (speicher) Glied{daten, nullptr, nullptr, typ};
}

bool TKette::Voranstellen(void* daten, uint8_t typ)
{
    Glied* neu = NeuesGlied(daten, typ);
    neu->Nachfolger = Kopf;
    if (Kopf)
        Kopf->Vorgaenger = neu;
    else
        Ende = neu;
    Kopf = neu;
    ++Laenge;
    if (Cursor)
        ++CursorIndex; // the cursor keeps its element, which moved up by one
    else {
        Cursor = neu;
        CursorIndex = 0;
    }
    return true;
}

bool TKette::Anhaengen(void* daten, uint8_t typ)
{
    if (!Kopf)
        return Voranstellen(daten, typ);
    Glied* neu = NeuesGlied(daten, typ);
    neu->Vorgaenger = Ende;
    Ende->Nachfolger = neu;
    Ende = neu;
    ++Laenge;
    return true;
}

void TKette::Positionieren(uint32_t index)
{
    const uint32_t k = CursorIndex;
    if (index == k)
        return;
    Glied* g = Cursor;
    if (index < k) {
        if (index < k - index) {
            g = Kopf;
            for (uint32_t i = 0; i < index; ++i)
                g = g->Nachfolger;
        } else {
            for (uint32_t i = index; i < k; ++i)
                g = g->Vorgaenger;
        }
    } else {
        // The way from the end is measured as Laenge - index, one more than
        // the steps it takes, so that a tie goes to the cursor.
        if (index - k > Laenge - index) {
            g = Ende;
            for (uint32_t i = Laenge - 1; i > index; --i)
                g = g->Vorgaenger;
        } else {
            for (uint32_t i = k; i < index; ++i)
                g = g->Nachfolger;
        }
    }
    Cursor = g;
    CursorIndex = index;
}

void TKette::DatenFreigeben(Glied* glied)
{
    ::DatenFreigeben(glied->Daten, glied->Typ);
    glied->Daten = nullptr;
}

void TKette::GliedEntfernen(Glied* glied)
{
    if (glied == Cursor) {
        if (glied->Nachfolger) {
            Cursor = glied->Nachfolger; // the successor moves into this index
        } else {
            Cursor = (glied == Kopf) ? nullptr : Kopf;
            CursorIndex = 0;
        }
    }
    if (glied->Vorgaenger)
        glied->Vorgaenger->Nachfolger = glied->Nachfolger;
    else
        Kopf = glied->Nachfolger;
    if (glied->Nachfolger)
        glied->Nachfolger->Vorgaenger = glied->Vorgaenger;
    else
        Ende = glied->Vorgaenger;

    DatenFreigeben(glied);
    glied->~Glied();
    std::free(glied);
    --Laenge;
}

void* TKette::Element(uint32_t index)
{
    if (index >= Laenge)
        return nullptr;
    Positionieren(index);
    return Cursor->Daten;
}

TEntnommen TKette::Entnehmen(uint32_t index)
{
    if (index >= Laenge)
        return {};
    Positionieren(index);
    TEntnommen ergebnis(Cursor->Daten, Cursor->Typ);
    Cursor->Daten = nullptr;
    Cursor->Typ = 0;
    GliedEntfernen(Cursor);
    return ergebnis;
}

bool TKette::Entfernen(uint32_t index)
{
    if (index >= Laenge)
        return false;
    Positionieren(index);
    GliedEntfernen(Cursor);
    return true;
}

void TKette::Suchen(const std::string& s)
{
    for (uint32_t i = 0; i < Laenge; ++i) {
        Element(i);
        if (TextGleich(Cursor, s))
            return;
    }
}

bool TKette::EntfernenText(const std::string& s)
{
    Suchen(s);
    if (!Cursor || !TextGleich(Cursor, s))
        return false;
    GliedEntfernen(Cursor);
    return true;
}
