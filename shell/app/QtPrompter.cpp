#include "shell/app/QtPrompter.h"

#include "shell/app/FormTexts.h"
#include "shell/app/QtText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

Prompter::Answer QtPrompter::message(Kind kind, const std::string& caption, const std::string& text)
{
    // Windows live on the GUI thread: a message from another thread is shown there.
    if (qApp && QThread::currentThread() != qApp->thread()) {
        Answer answer = Answer::Ok;
        QMetaObject::invokeMethod(
            qApp, [&] { answer = message(kind, caption, text); }, Qt::BlockingQueuedConnection);
        return answer;
    }
    QMessageBox box(parent_);
    box.setWindowTitle(toQ(caption));
    // Texts join their lines with CR, which Qt would draw as a blank; never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(FormTexts::screenText(text));
    switch (kind) {
    case Kind::Plain: box.setStandardButtons(QMessageBox::Ok); break;
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        break;
    case Kind::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Kind::PlainQuestion: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Kind::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case Kind::Information: box.setIcon(QMessageBox::Information); break;
    case Kind::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Ok;
    }
}

std::optional<std::string> QtPrompter::input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial)
{
    bool ok = false;
    QString s = QInputDialog::getText(parent_, toQ(caption), toQ(prompt), QLineEdit::Normal, toQ(initial), &ok);
    if (!ok) return std::nullopt;
    return fromQ(s);
}

QString QtPrompter::qtFilter(const std::string& filter)
{
    QStringList parts = toQ(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return out.join(";;");
}

std::optional<std::string> QtPrompter::openFile(const std::string& caption, const std::string& filter,
                                                const std::string& directory)
{
    QString f = QFileDialog::getOpenFileName(parent_, toQ(caption), toQ(directory), qtFilter(filter));
    if (f.isEmpty()) return std::nullopt;
    return fromQ(f);
}

std::optional<std::string> QtPrompter::saveFile(const std::string& caption, const std::string& filter,
                                                const std::string& directory, const std::string& name)
{
    QString start = toQ(directory);
    if (!name.empty()) start = start.isEmpty() ? toQ(name) : start + "/" + toQ(name);
    QString f = QFileDialog::getSaveFileName(parent_, toQ(caption), start, qtFilter(filter), nullptr,
                                             QFileDialog::DontConfirmOverwrite);
    if (f.isEmpty()) return std::nullopt;
    return fromQ(f);
}

bool QtPrompter::chooseFont(FontSpec& font)
{
    QFont initial(toQ(font.family), font.pointSize);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok) return false;
    font.family = fromQ(chosen.family());
    font.pointSize = chosen.pointSize();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    return true;
}

bool QtPrompter::openDocument(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQ(path)));
}

void QtPrompter::beep() { QApplication::beep(); }
