#include "app/Groessentext.h"

#include "util/Groessenangabe.h"

QString Groessentext(uint64_t bytes)
{
    return QString::fromStdString(Groessenangabe(bytes));
}
