#pragma once

#include <cstdint>
#include <string>

// One element of a TKette: a raw block from the C heap.
struct Glied {
    void* Daten;        // the payload, owned by the list; may be null
    Glied* Vorgaenger;  // null for the first element
    Glied* Nachfolger;  // null for the last element
    uint8_t Typ;        // 0: Daten is a plain C-heap block; otherwise a typed record
};

// A payload handed over by TKette::Entnehmen. Owns it and releases it by its
// type when it goes out of scope, so a caller cannot forget to free it.
class TEntnommen {
public:
    TEntnommen() = default;
    TEntnommen(void* daten, uint8_t typ) : daten_(daten), typ_(typ) {}
    ~TEntnommen();
    TEntnommen(const TEntnommen&) = delete;
    TEntnommen& operator=(const TEntnommen&) = delete;
    TEntnommen(TEntnommen&& andere) noexcept;
    TEntnommen& operator=(TEntnommen&& andere) noexcept;

    // The payload, still owned by this holder; null when there is none.
    void* Daten() const { return daten_; }
    uint8_t Typ() const { return typ_; }
    // The payload read as a text (TextAus); the empty string for none and
    // for a typed record, which is no text.
    std::string Text() const;
    // Gives up ownership: the caller releases the payload itself.
    void* Loslassen();

private:
    void* daten_ = nullptr;
    uint8_t typ_ = 0;
};

// The program's owning, doubly linked list with a remembered cursor that makes
// access by a 0-based index cheap when successive indices lie close together.
// Owns its elements and their payloads; not copyable.
//
// A payload is compared as text only when its Typ is 0; a typed record never
// equals a text, since its bytes are no NUL-terminated string. A null payload
// reads as the empty string whatever its Typ.
//
// The inserting operations take the payload over even when they fail: if no
// element can be had they release it by its Typ and throw EFehler, so that a
// call like Anhaengen(TextKopie(pfad), 0) cannot leak.
class TKette {
public:
    TKette() = default;
    ~TKette();
    TKette(const TKette&) = delete;
    TKette& operator=(const TKette&) = delete;

    // Releases every element and payload, front to back; all fields null or 0.
    void Leeren();
    // Inserts a new first element; the cursor stays on its element.
    // Throws EFehler when out of memory.
    bool Voranstellen(void* daten, uint8_t typ);
    bool IstLeer() const { return Kopf == nullptr; }
    // Appends a new last element; the cursor does not move.
    // Throws EFehler when out of memory.
    bool Anhaengen(void* daten, uint8_t typ);
    uint32_t Anzahl() const { return Laenge; }
    // Lends the payload at index (the cursor moves there); null past the end.
    void* Element(uint32_t index);
    // Takes the element at index out and hands its payload over.
    TEntnommen Entnehmen(uint32_t index);
    // Removes the element at index with its payload; false past the end.
    bool Entfernen(uint32_t index);
    // Removes the first element whose payload text equals s; true when one went.
    bool EntfernenText(const std::string& s);
    // Leaves the cursor on the first element whose text equals s, or on the last.
    void Suchen(const std::string& s);

    // The cursor's state, for those who check the list's bookkeeping.
    const Glied* KopfGlied() const { return Kopf; }
    const Glied* EndeGlied() const { return Ende; }
    const Glied* CursorGlied() const { return Cursor; }
    uint32_t CursorPosition() const { return CursorIndex; }

private:
    void Positionieren(uint32_t index);
    void GliedEntfernen(Glied* glied);
    static void DatenFreigeben(Glied* glied);
    Glied* NeuesGlied(void* daten, uint8_t typ);

    // Default member initialisers only: an empty list owns nothing, which lets
    // the size table construct its buckets lazily.
    Glied* Kopf = nullptr;
    Glied* Cursor = nullptr;
    Glied* Ende = nullptr;
    uint32_t CursorIndex = 0;
    uint32_t Laenge = 0;
};
