// Prints the text of the X primary selection (what a mouse drag selected) or,
// with --clipboard, of the clipboard. The end-to-end test reads a message
// box's text this way, after selecting it with the mouse.
//
//   plumfizz-e2e-clipboard [--clipboard]
//
// Exit status 0 with the text on standard output, 1 when there is no text.

#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool clipboard = argc > 1 && std::strcmp(argv[1], "--clipboard") == 0;
    QGuiApplication app(argc, argv);
    const QString text = QGuiApplication::clipboard()->text(clipboard ? QClipboard::Clipboard : QClipboard::Selection);
    if (text.isEmpty()) return 1;
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
