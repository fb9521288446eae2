#pragma once

#include "search/Suchsitzung.h"

// Marks the session as busy for the lifetime of a search, a copy or a move;
// the observer hears when the outermost one has returned.
class TBeschaeftigt {
public:
    explicit TBeschaeftigt(TSuchsitzung& sitzung) : sitzung_(sitzung) { ++sitzung_.beschaeftigt_; }
    ~TBeschaeftigt()
    {
        if (--sitzung_.beschaeftigt_ == 0)
            sitzung_.beobachter_.BefehlBeendet();
    }
    TBeschaeftigt(const TBeschaeftigt&) = delete;
    TBeschaeftigt& operator=(const TBeschaeftigt&) = delete;

private:
    TSuchsitzung& sitzung_; // non-owning
};
