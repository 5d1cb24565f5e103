#pragma once

#include "model/dateizugriff.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

// The INI store of plan files and the settings file. It holds the whole file in memory and
// touches the disk only when it is created and in Speichern.
//
// Reading:
// - A line is a section header when it starts with '[' and ends with ']'; the name is the text
//   between, untrimmed. Other lines are entries of the current section (lines before the first
//   section are dropped); empty lines and a line holding only the character 26 are skipped.
//   Lines end at CR LF, LF or CR and are never trimmed.
// - Sections and keys are found without regard to case. Of sections with equal names only the
//   first is kept, and the store then counts as changed. A key's value is everything after the
//   first '=' of its first entry line.
// - Integers are decimal or, with the prefix "0x", hexadecimal, and must fit 32 bits; anything
//   else gives the default. Booleans are integers, non-zero true.
// - A file that begins with the UTF-8 byte-order mark is UTF-8, every other Windows-1252;
//   one with the byte-order mark of UTF-16 or UTF-32 is refused (Lesefehler names it).
//   Files over GroessteDatei or with more than GroessteZeilenzahl lines, and anything at the
//   path that is no regular file (a folder, a device, a pipe), are refused: Lesefehler()
//   says why and the store stays empty.
//
// Writing: a value replaces the value of the key's entry line in place, or a new line is
// appended to the section, or a new section after the last. Speichern writes every section
// that has entries, its lines and one empty line, all ending in CR LF; Windows-1252 when every
// character fits, otherwise UTF-8 with a byte-order mark. Booleans are written "1" and "0".
//
// Speichern replaces the file atomically (Dateizugriff::Ersetzen): the new content goes to a
// temporary file in the same folder, which is flushed to disk and then renamed over the old
// one, so a failure at any point leaves the old file as it was. Something at the path that is
// no regular file is never replaced.
class TBigIniFile final
{
public:
    static constexpr qint64 GroessteDatei = qint64{16} * 1024 * 1024;
    // Sections and entry lines of a file; a plan of GroessteDatei bytes has about a million.
    static constexpr qsizetype GroessteZeilenzahl = 4000000;

    // Reads the file at `pfad`; a missing file gives an empty store.
    explicit TBigIniFile(const QString& pfad);
    // A store that will replace the file at `pfad` without reading it (it counts as changed).
    static TBigIniFile Neu(const QString& pfad);
    // A store read from bytes, without a file (Speichern fails).
    static TBigIniFile ausBytes(const QByteArray& daten);

    TBigIniFile(TBigIniFile&&) noexcept;
    TBigIniFile& operator=(TBigIniFile&&) noexcept;
    TBigIniFile(const TBigIniFile&) = delete;
    TBigIniFile& operator=(const TBigIniFile&) = delete;
    ~TBigIniFile();

    const QString& Pfad() const { return m_pfad; }
    // Empty when the file was read (or missing); otherwise why it could not be read.
    const QString& Lesefehler() const { return m_lesefehler; }
    bool Geaendert() const { return m_geaendert; }
    // Sections dropped on reading because an earlier one had the same name.
    int DoppelteAbschnitte() const { return m_doppelt; }
    // The file as it was read or last written by Speichern (not vorhanden otherwise).
    const Dateistand& Stand() const { return m_stand; }

    QString ReadString(QStringView section, QStringView key, const QString& vorgabe) const;
    qint32 ReadInteger(QStringView section, QStringView key, qint32 vorgabe) const;
    bool ReadBool(QStringView section, QStringView key, bool vorgabe) const;
    // The value without a copy, valid until the next write; false when section or key is
    // missing.
    bool WertLesen(QStringView section, QStringView key, QStringView* wert) const;

    // False, leaving the store unchanged, when the entry cannot be stored as one line that
    // reads back the same: a line break in section, key or value, a '=' in the key, or a key
    // beginning with '[' together with a value ending in ']'.
    bool WriteString(QStringView section, QStringView key, QStringView value);
    bool WriteInteger(QStringView section, QStringView key, qint32 value);
    bool WriteBool(QStringView section, QStringView key, bool value);

    // Section names in their order: file order, then sections added later.
    QStringList ReadSections() const;
    qsizetype AnzahlAbschnitte() const;
    QString AbschnittName(qsizetype index) const;
    bool SectionExists(QStringView section) const;
    // Without copies, for reading a file section by section: the name of section `index`,
    // the index of a section (-1 when missing), the entry lines of a section and, in
    // *schluessel, the length of a line's key (-1 for a line without '='). Valid until the
    // next write.
    QStringView AbschnittSicht(qsizetype index) const;
    qsizetype AbschnittIndex(QStringView name) const;
    qsizetype ZeilenAnzahl(qsizetype abschnitt) const;
    QStringView Zeile(qsizetype abschnitt, qsizetype zeile, qsizetype* schluessel) const;
    // Keys compare as the store finds them: without regard to case, by simple case folding.
    static bool GleichOhneFall(QStringView a, QStringView b);

    // The file as Speichern would write it.
    QByteArray Inhalt() const;
    // Writes the file if the store has changed; true on success (also when there was nothing
    // to write). On failure *fehler (if given) gets a message and the old file is untouched.
    bool Speichern(QString* fehler = nullptr);

    // How ReadInteger reads a value: an optional sign, then decimal digits or, after "0x" in
    // either case, a 32-bit hexadecimal pattern; false when the text is anything else or does
    // not fit in 32 bits.
    static bool ZahlLesen(QStringView text, qint32* wert);

private:
    struct Daten;
    // "<subject and verb> in <encoding> gespeichert. …"
    static QString KodierungText(const QString& datei, const QString& kodierung);
    TBigIniFile();
    // False, leaving the store empty, for more than GroessteZeilenzahl lines.
    bool einlesen(const QByteArray& daten);

    std::unique_ptr<Daten> d;
    QString m_pfad;
    QString m_lesefehler;
    Dateistand m_stand;
    bool m_geaendert = false;
    int m_doppelt = 0;
};
