#pragma once

#include "search/FensterLogik.h"

// Marks the window as busy for the lifetime of a search, a copy or a move.
class TBeschaeftigt {
public:
    explicit TBeschaeftigt(TFensterLogik& fenster) : fenster_(fenster) { ++fenster_.beschaeftigt_; }
    ~TBeschaeftigt()
    {
        if (--fenster_.beschaeftigt_ == 0)
            fenster_.BefehlBeendet();
    }
    TBeschaeftigt(const TBeschaeftigt&) = delete;
    TBeschaeftigt& operator=(const TBeschaeftigt&) = delete;

private:
    TFensterLogik& fenster_; // non-owning
};
