// kistenlotse-plan: the plan model without windows, for scripts and checks.

#include "befehle.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const QString befehl = args.isEmpty() ? QString() : args.takeFirst();
    Argumente argumente(args);
    if (befehl == QStringLiteral("neu"))
        return BefehlNeu(argumente);
    if (befehl == QStringLiteral("feiertage"))
        return BefehlFeiertage(argumente);
    if (befehl == QStringLiteral("zeigen"))
        return BefehlZeigen(argumente);
    if (befehl == QStringLiteral("ics"))
        return BefehlIcs(argumente);
    if (befehl == QStringLiteral("umplanen"))
        return BefehlUmplanen(argumente);
    return Bedienung(QStringLiteral(
        "Aufruf: kistenlotse-plan neu|feiertage|zeigen|ics|umplanen … (siehe README)"));
}
