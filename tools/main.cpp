// diancai-demodata: writes a base-data folder (and optionally its zip package) for the terminal:
// the demo restaurant, or a scale fixture with a chosen number of dishes.

#include "BaseDataFolder.h"
#include "DemoRestaurant.h"
#include "PackageWriter.h"
#include "ScaleFixture.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace demodata;

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "diancai-demodata: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures are painted with fonts, which needs a GUI application but never a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"diancai-demodata"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Writes a base-data folder for the diancai terminal."_s);
    parser.addHelpOption();
    const QCommandLineOption outOption(u"out"_s, u"Base-data folder to write."_s, u"DIR"_s);
    const QCommandLineOption packageOption(u"package"_s, u"Also pack the folder as this zip file."_s,
                                           u"FILE"_s);
    const QCommandLineOption dishesOption(u"dishes"_s, u"Write a scale fixture with N dishes."_s, u"N"_s);
    parser.addOptions({outOption, packageOption, dishesOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(u"help"_s))
        parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty())
        return fail(u"unexpected argument: "_s + parser.positionalArguments().first());
    if (!parser.isSet(outOption) || parser.value(outOption).isEmpty())
        return fail(u"--out DIR is required"_s);

    Catalogue catalogue;
    DishPictures pictures = DishPictures::PerDish;
    if (parser.isSet(dishesOption)) {
        bool isNumber = false;
        const int dishes = parser.value(dishesOption).toInt(&isNumber);
        const int minimum = minimumFixtureDishes();
        if (!isNumber || dishes < minimum || dishes > kMaximumFixtureDishes)
            return fail(u"--dishes must be a whole number from "_s + QString::number(minimum) + u" to "_s +
                        QString::number(kMaximumFixtureDishes));
        catalogue = scaleFixture(dishes);
        pictures = DishPictures::PerCategory;
    } else {
        catalogue = demoRestaurant();
    }

    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(outOption)));
    if (const QString error = writeBaseDataFolder(catalogue, folder, pictures); !error.isEmpty())
        return fail(error);

    if (parser.isSet(packageOption)) {
        const QString zipPath = QDir::current().absoluteFilePath(parser.value(packageOption));
        if (!QDir().mkpath(QFileInfo(zipPath).absolutePath()))
            return fail(u"cannot create the folder of "_s + zipPath);
        const QStringList entries = packageEntries(folder, baseDataTopLevelNames());
        if (const QString error = writePackage(folder, entries, zipPath); !error.isEmpty())
            return fail(error);
    }
    std::printf("diancai-demodata: %lld dishes written to %s\n",
                static_cast<long long>(catalogue.dishes.size()),
                qPrintable(QDir::toNativeSeparators(folder)));
    return 0;
}
