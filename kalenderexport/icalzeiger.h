#pragma once

#include <libical/ical.h>

#include <memory>

// Owners of what libical hands out, so every path frees it once.
struct KomponenteFreigeben
{
    void operator()(icalcomponent* k) const { icalcomponent_free(k); }
};
using Komponente = std::unique_ptr<icalcomponent, KomponenteFreigeben>;

struct PufferFreigeben
{
    void operator()(char* p) const { icalmemory_free_buffer(p); }
};
using Puffer = std::unique_ptr<char, PufferFreigeben>;
