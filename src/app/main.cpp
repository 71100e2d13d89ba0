#include <QApplication>
#include <QSettings>
#include <QStringList>

#include "app/CMainFrame.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quilvane Inc.");
    QApplication::setApplicationName("vyn8_rk47");

    // The per-user profile: a recent-file list of four entries (not shown in
    // the menu).
    QSettings profile;
    QStringList recent;
    for (int i = 1; i <= 4; ++i) {
        const QString f =
            profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) {
            recent << f;
        }
    }

    Cvyn8_rk47Doc doc;
    CMainFrame frame(&doc);
    frame.StartAndShow();
    return app.exec();
}
