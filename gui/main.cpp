// vastrel: the desktop program. One optional argument: a project file to
// open at start (as a double-clicked file is opened).

#include "Dialogos.h"
#include "Inicial.h"
#include "Principal.h"
#include "Regional.h"

#include "common/Pastas.h"
#include "common/UiHooks.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vastrel"));
    QApplication::setOrganizationName(QString());

    // The opening screen while the rest is made.
    auto* inicial = new vastrel::gui::TFInicial(true);
    inicial->show();
    QApplication::processEvents();

    // Qt's own texts (file dialogs, standard buttons) in Portuguese.
    QTranslator traducao;
    if (traducao.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traducao);

    // Numbers in the user's regional form; long computations let the
    // window breathe and show the busy cursor.
    vastrel::gui::AplicarFormatoRegional();
    vastrel::SetProcessEventsHook([] { QCoreApplication::processEvents(); });
    vastrel::SetBusyCursorHooks([] { QApplication::setOverrideCursor(Qt::WaitCursor); },
                                [] { QApplication::restoreOverrideCursor(); });

    vastrel::gui::TDialogosQt dialogos;
    vastrel::gui::TFPrincipal principal(dialogos);
    // Maximised; the geometry is set too for a screen without a window
    // manager, which ignores the request.
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        principal.setGeometry(tela->availableGeometry());
    principal.showMaximized();
    inicial->raise();

    // First the default state on a first start, then a project given.
    const QStringList argumentos = QApplication::arguments();
    QTimer::singleShot(0, &principal, [&principal, argumentos] {
        principal.PerguntarEstadoPadrao();
        if (argumentos.size() > 1)
            principal.AbrirArgumento(argumentos.at(1));
    });
    return QApplication::exec();
}
