// The console's `log [N]`: the newest lines of the terminal's support log, for whoever looks into
// what a tablet did.
#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "foundation/AppPaths.h"
#include "foundation/SupportLog.h"

void ConsoleSession::log(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "log [N]"))
        return;
    bool valid = true;
    const int count = args.isEmpty() ? 20 : args.first().toInt(&valid);
    if (!valid || count < 1) {
        ConsoleOutput::error(QStringLiteral("usage: log [N], N a whole number from 1"));
        return;
    }
    for (const QString &line : SupportLog::lastLines(SupportLog::folderIn(AppPaths::home()), count))
        ConsoleOutput::line(line);
}
