#pragma once

#include <QString>

#include <cups/cups.h>

// The few calls into libcups that printing to a queue needs. The library (with its chain of
// encryption and network libraries) is loaded on the first print job, not at start, so a program
// that never prints to a queue never maps it.
struct CupsBibliothek
{
    decltype(&::cupsGetNamedDest) GetNamedDest = nullptr;
    decltype(&::cupsFreeDests) FreeDests = nullptr;
    decltype(&::cupsAddOption) AddOption = nullptr;
    decltype(&::cupsFreeOptions) FreeOptions = nullptr;
    decltype(&::cupsPrintFile2) PrintFile2 = nullptr;
    decltype(&::cupsLastErrorString) LastErrorString = nullptr;
    decltype(&::cupsLastError) LastError = nullptr;
    decltype(&::cupsGetDests2) GetDests2 = nullptr;
};

// libcups, loaded once; nullptr when it cannot be loaded or lacks a call, with the reason in
// `fehler`.
const CupsBibliothek* CupsLaden(QString* fehler);
