#include "window/widgets/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QShortcut>

namespace orvanto {

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& title,
                                            const QString& text) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(title);
    // Messages quote what the user typed; a typed "<b>" must show as typed, not as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    // The text can be selected and copied, so that a quoted entry or an address can be reused;
    // Ctrl+C with the focus on the button copies the selection, or the whole text.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* copy = new QShortcut(QKeySequence::Copy, box.get());
    QObject::connect(
        copy, &QShortcut::activated, box.get(),
        [label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")), text] {
            QGuiApplication::clipboard()->setText(
                label != nullptr && label->hasSelectedText() ? label->selectedText() : text);
        });
    box->setIcon(QMessageBox::NoIcon);
    // Qt would write "OK" unless its translations are installed; the box is Chinese throughout.
    QPushButton* ok = box->addButton(QString::fromUtf8(kOkButtonText), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(static_cast<QAbstractButton*>(ok));
    return box;
}

}  // namespace orvanto
