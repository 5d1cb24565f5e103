#pragma once

#include <QStringList>

#include <cstdio>

// Exit codes of the tool.
enum Ausgang
{
    Erfolg = 0,
    Bedienfehler = 2,
    Ladefehler = 3,
    Schreibfehler = 4,
    Abgleichfehler = 5
};

class Plan;
class QString;

// The options after the command word, read once; unknown or malformed options are usage
// errors with a one-line German explanation. Everything after "--" is a positional argument,
// so that a plan named "--x.kvr" can be given.
class Argumente
{
public:
    explicit Argumente(QStringList args);

    bool Schalter(const QString& name);            // --name without value
    bool Wert(const QString& name, QString* wert); // --name value
    QString Position();                            // next positional argument, "" if none
    // The first option or argument nobody asked for, "" when all were used.
    QString Uebrig() const;
    // Set by the readers when a value is missing, "" otherwise.
    const QString& Fehler() const { return m_fehler; }

private:
    QString m_fehler;
    QStringList m_args;       // before "--"
    QStringList m_positionen; // after "--"
};

int Bedienung(const QString& meldung);
// Lines for standard error: text from a plan or a path shown without its control characters.
void Fehlerzeilen(const QString& text);
// A message and, on a second line, why.
void Fehlermeldung(const char* meldung, const QString& grund);
// Reads a plan file (with its calendar sync) as the open command does; false after the message
// on standard error.
bool Laden(const QString& pfad, Plan& plan);

int BefehlNeu(Argumente& args);
int BefehlFeiertage(Argumente& args);
int BefehlZeigen(Argumente& args);
int BefehlIcs(Argumente& args);
int BefehlUmplanen(Argumente& args);
int BefehlAbgleichen(Argumente& args);
