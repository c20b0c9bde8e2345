// The texts of `diancai --help` and `--version`: they name the commit the program was built from.
#include "BuildVersion.h"
#include "StartupSequence.h"

namespace StartupSequence {

QString usage()
{
    return QStringLiteral(
        "Usage: diancai [--home DIR] [--fullscreen | --windowed] [--headless]\n"
        "The restaurant ordering terminal: the electronic menu and the waiters' ordering tool.\n"
        "\n"
        "  --home DIR     keep settings, held orders and downloaded data in DIR (default: $DIANCAI_HOME,\n"
        "                 else the user's data folder, ~/.local/share/diancai/diancai)\n"
        "  --fullscreen   the whole screen without window decorations (a tablet kiosk)\n"
        "  --windowed     a 1024 x 768 window (the default)\n"
        "  --headless     start without a window and print the settings and paths found\n"
        "  --help         this text\n"
        "  --version      the version and the commit it was built from\n"
        "\n"
        "diancai " DIANCAI_VERSION_LINE "\n");
}

QString versionText()
{
    return QStringLiteral("diancai " DIANCAI_VERSION_LINE "\n");
}

} // namespace StartupSequence
