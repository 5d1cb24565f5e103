#!/bin/sh
# Hands a calendar file over for real: under a virtual X server, QDesktopServices calls
# xdg-open, which finds a test handler registered for text/calendar in temporary XDG folders.
# Skipped (77) where the tools are missing.
set -u
programm="$1"
for werkzeug in xvfb-run xauth xdg-mime xdg-open; do
  if ! command -v "$werkzeug" >/dev/null 2>&1; then
    echo "SKIP: $werkzeug fehlt"
    exit 77
  fi
done

wurzel=$(mktemp -d)
trap 'rm -rf "$wurzel"' EXIT INT TERM

export XDG_DATA_HOME="$wurzel/daten"
export XDG_CONFIG_HOME="$wurzel/config"
export KL_EMPFANG="$wurzel/empfangen.ics"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"

# The handler copies what it is given; the rename makes the file appear complete at once.
cat > "$wurzel/kalender.sh" <<EOF2
#!/bin/sh
cp "\$1" "$KL_EMPFANG.teil" && mv "$KL_EMPFANG.teil" "$KL_EMPFANG"
EOF2
chmod +x "$wurzel/kalender.sh"
cat > "$XDG_DATA_HOME/applications/kl-testkalender.desktop" <<EOF2
[Desktop Entry]
Type=Application
Name=Testkalender
Exec=$wurzel/kalender.sh %f
MimeType=text/calendar;
EOF2
xdg-mime default kl-testkalender.desktop text/calendar || exit 1

# No desktop of the machine running the tests may take over: xdg-open in its generic mode.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID XDG_SESSION_DESKTOP
export QT_QPA_PLATFORM=xcb
# A server number of its own, so that another xvfb-run starting at the same time cannot take it.
xvfb-run -a -n $((200 + $$ % 500)) "$programm"
