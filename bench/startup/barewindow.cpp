// The yardstick for the program's start-up: a bare Qt window of the same size and frame as the
// declaration window, with a menu bar, a scroll area and one line edit, fitted to the work area.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

namespace {

class BareWindow : public QMainWindow
{
public:
    BareWindow()
        : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    {
        setWindowTitle(QStringLiteral("Csupasz ablak"));
        auto *menu = new QMenuBar(this);
        menu->setNativeMenuBar(false);
        for (const char *caption : {"&Nyomtatás", "Ű&rlap mentése", "&Kitöltött űrlap betöltése", "K&ilépés"})
            menu->addAction(QString::fromUtf8(caption));
        setMenuBar(menu);

        auto *scrollArea = new QScrollArea(this);
        auto *content = new QWidget;
        content->resize(777, 1365);
        auto *edit = new QLineEdit(content);
        edit->setGeometry(40, 120, 200, 21);
        scrollArea->setWidget(content);
        setCentralWidget(scrollArea);
        setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        // Like the declaration window: fitted again once the window system has given it a frame.
        QMainWindow::showEvent(event);
        QTimer::singleShot(0, this, [this] {
            const QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                                 frameGeometry().right() - geometry().right(),
                                 frameGeometry().bottom() - geometry().bottom());
            setGeometry(QGuiApplication::primaryScreen()->availableGeometry().marginsRemoved(frame));
        });
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    BareWindow window;
    window.show();
    return application.exec();
}
