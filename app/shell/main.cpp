// The program: starts the application, runs the window's event loop and ends in order.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <string>
#include <vector>

#include "app/shell/brindle_app.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brindle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRINDLE_VERSION));
    // The standard dialogs (files, fonts, printing) speak Chinese as the rest of the
    // window does, when the toolkit's translations are installed.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts);

    std::vector<std::u16string> arguments;
    const QStringList list = QCoreApplication::arguments();
    for (qsizetype i = 1; i < list.size(); ++i)
        arguments.push_back(list[i].toStdU16String());

    brindle::CBrindleApp app;
    if (!app.InitInstance(arguments))
        return app.ExitInstance();
    const int code = QApplication::exec();
    const int exitCode = app.ExitInstance();
    return code != 0 ? code : exitCode;
}
