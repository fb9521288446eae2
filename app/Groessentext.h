#pragma once

// A file size as the window shows it (see util/Groessenangabe), as Qt text.

#include <QString>

#include <cstdint>

QString Groessentext(uint64_t bytes);
