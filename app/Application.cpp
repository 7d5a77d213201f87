#include "Application.h"
#include "store/Boxes.h"
#include "store/BusyCursor.h"
#include "store/Errors.h"
#include <QCursor>
#include <exception>

namespace {

// What must be set before the application object exists: the web engine
// shares its OpenGL contexts with the window's.
int &beforeTheApplication(int &argc)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return argc;
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(beforeTheApplication(argc), argv)
{
    // The busy pointer while the store works.
    BusyCursor::setHooks([] { QGuiApplication::setOverrideCursor(Qt::WaitCursor); },
                         [] { QGuiApplication::restoreOverrideCursor(); });
}

Application::~Application()
{
    BusyCursor::setHooks({}, {});
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showEscapedError();
        return true;
    }
}

void Application::showEscapedError()
{
    try {
        throw;
    } catch (const AppError &error) {
        Boxes::current().error(error.text());
    } catch (const std::exception &error) {
        Boxes::current().error(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Boxes::current().error(QStringLiteral("不明なエラーが発生しました"));
    }
}
