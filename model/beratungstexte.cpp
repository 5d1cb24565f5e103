#include "model/katalog.h"

const char* Beratungstext(qint32 nummer)
{
    switch (nummer) {
    case 17:
        return "Teilen Sie Ihre neue Anschrift mit.|Vorlagen unter \"Druckvorlagen\".|";
    case 4:
        return "Protokoll unter \"Druckvorlagen\".|";
    case 8:
        return "Vorlage unter \"Druckvorlagen\".|";
    case 19:
        return "Einrichtungsplaner:|https://www.example.org/|";
    case 20:
        return "Tipps:|https://www.example.org/|";
    default:
        return "Hinweise folgen.|";
    }
}
