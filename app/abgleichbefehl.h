#pragma once

class Fensterdialoge;
class Plandokument;
class QWidget;

// "Abgleichen" in the main window: the sync dialog over the plan document. A server's new day
// or time goes through the order check as a drag does (conflicts shown, with the offer to
// move the dependants along); a change on both sides and an event deleted on the phone are
// asked about. The round's changes to the plan are one undo step; the sync state is kept in
// the document, so the plan counts as unsaved after a round that changed the plan or the
// state, and the next save writes both. The address and user name are remembered in the
// settings file for the next time (the password only in the keyring), as are the self-signed
// certificates the user trusted, per server.
class Abgleichbefehl
{
public:
    Abgleichbefehl(Plandokument& dokument, Fensterdialoge& dialoge, QWidget* fenster);

    // Runs the dialog to its end; true when the plan's tasks changed (the calendar must show
    // them anew).
    bool Ausfuehren();

private:
    Plandokument& m_dokument;
    Fensterdialoge& m_dialoge;
    QWidget* m_fenster;
};
