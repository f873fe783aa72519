#include "angle_window/FormDC2.h"

#include <QEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <array>
#include <string>

#include "library/ModuleQmb.h"
#include "library/diagnostics_log.h"
#include "window_common/document_opener.h"
#include "window_common/handler_guard.h"

namespace mapsheet {

namespace {

constexpr std::array kAllBoxes = {AngleBox::Degrees, AngleBox::Minutes, AngleBox::Seconds,
                                  AngleBox::Packed,  AngleBox::Marked,  AngleBox::DecimalDegrees,
                                  AngleBox::Radians};

// The order in which a conversion writes the boxes. The typed box comes first, as its cleaned
// text is written before anything else, except for the marked text, which is rebuilt from the
// other boxes and so written last.
std::array<AngleBox, 7> writeOrder(AngleBox typedBox) {
    std::array<AngleBox, 7> order{};
    std::size_t next = 0;
    if (typedBox != AngleBox::Marked) {
        order[next++] = typedBox;
    }
    for (AngleBox box : kAllBoxes) {
        if (box != typedBox) {
            order[next++] = box;
        }
    }
    if (typedBox == AngleBox::Marked) {
        order[next++] = typedBox;
    }
    return order;
}

const std::string& textOf(const AngleBoxTexts& texts, AngleBox box) {
    switch (box) {
        case AngleBox::Degrees:
            return texts.degrees;
        case AngleBox::Minutes:
            return texts.minutes;
        case AngleBox::Seconds:
            return texts.seconds;
        case AngleBox::Packed:
            return texts.packed;
        case AngleBox::Marked:
            return texts.marked;
        case AngleBox::DecimalDegrees:
            return texts.decimalDegrees;
        case AngleBox::Radians:
            break;
    }
    return texts.radians;
}

}  // namespace

FormDC2::FormDC2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormDC2"));
    setWindowTitle(QStringLiteral("角度转换"));
    createControls();
    arrangeControls();
    writeDefaultTexts();
    for (AngleBox box : kAllBoxes) {
        QLineEdit* edit = lineEditOf(box);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });
    }
    connect(CommandBD, &QPushButton::clicked, this, &FormDC2::CommandBD_Click);
}

FormDC2::~FormDC2() {
    if (isOpen) {
        Form_Unload();
    }
}

void FormDC2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window raises a spontaneous show; only a new opening loads afresh.
    if (!event->spontaneous() && !isOpen) {
        Form_Load();
    }
}

void FormDC2::hideEvent(QHideEvent* event) {
    // done(), reject() by Escape or the title bar's close, and hide() all pass through here.
    if (!event->spontaneous() && isOpen) {
        Form_Unload();
    }
    QDialog::hideEvent(event);
}

void FormDC2::Form_Load() {
    isOpen = true;
    rememberedExactMode = ModuleQmb::精确模式;
    ModuleQmb::精确模式 = true;
    try {
        {
            const QScopedValueRollback<bool> quiet(writingResults, true);
            writeDefaultTexts();
        }
        LabelTop->setText(QStringLiteral("衡启角度转换"));
        activeBox = AngleBox::Degrees;
        // The dialog hands the focus back to its focus widget once shown; make that TextDu.
        TextDu->setFocus(Qt::OtherFocusReason);
        // TextDu holds its default "-0": the opening converts it as a degrees entry.
        boxChanged(AngleBox::Degrees);
        ModuleQmb::清除运算信息();
    } catch (...) {
        // The window opens with whatever the boxes hold.
    }
}

void FormDC2::Form_Unload() {
    isOpen = false;
    ModuleQmb::精确模式 = rememberedExactMode;
    // A log that cannot be cleared leaves nothing to put right.
    window_common::RunGuarded([] { ModuleQmb::清除运算信息(); });
}

bool FormDC2::eventFilter(QObject* watched, QEvent* event) {
    try {
        if (event->type() == QEvent::FocusIn) {
            for (AngleBox box : kAllBoxes) {
                if (watched == lineEditOf(box)) {
                    activeBox = box;
                }
            }
        } else if (event->type() == QEvent::KeyPress && watched == Text3) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_F5:
                    Text3_AppendMark(QStringLiteral("°"));
                    return true;
                case Qt::Key_F6:
                    Text3_AppendMark(QStringLiteral("′"));
                    return true;
                case Qt::Key_F7:
                    Text3_AppendMark(QStringLiteral("″"));
                    return true;
                default:
                    break;
            }
        }
    } catch (...) {
        // The event goes on to the box as if it had not been looked at.
    }
    return QDialog::eventFilter(watched, event);
}

void FormDC2::Text3_AppendMark(const QString& mark) {
    // Typed like any other character, so it converts and can be undone.
    Text3->end(false);
    Text3->insert(mark);
}

void FormDC2::boxChanged(AngleBox box) {
    if (writingResults || activeBox != box) {
        return;
    }
    try {
        writeConversion(box, convertAngleBoxes(currentTexts(), box));
    } catch (...) {
        // When even emptying fails, the boxes stay as far as they were written.
        window_common::RunGuarded([&] { emptyOtherBoxes(box); });
    }
}

void FormDC2::writeConversion(AngleBox typedBox, const AngleBoxTexts& texts) {
    const QScopedValueRollback<bool> quiet(writingResults, true);
    for (AngleBox box : writeOrder(typedBox)) {
        // Rewriting an unchanged text would only throw away the box's undo history.
        QLineEdit* edit = lineEditOf(box);
        const QString text = QString::fromStdString(textOf(texts, box));
        if (edit->text() != text) {
            edit->setText(text);
        }
    }
    QLineEdit* typed = lineEditOf(typedBox);
    typed->setCursorPosition(static_cast<int>(typed->text().size()));
}

void FormDC2::emptyOtherBoxes(AngleBox typedBox) {
    const QScopedValueRollback<bool> quiet(writingResults, true);
    for (AngleBox box : kAllBoxes) {
        if (box != typedBox) {
            lineEditOf(box)->clear();
        }
    }
}

void FormDC2::CommandBD_Click() {
    // The browser is a courtesy; the window carries on without it.
    window_common::RunGuarded(
        [] { OpenDocument(QString::fromLatin1(kAngleWindowDownloadAddress)); });
}

QLineEdit* FormDC2::lineEditOf(AngleBox box) const {
    switch (box) {
        case AngleBox::Degrees:
            return TextDu;
        case AngleBox::Minutes:
            return TextFen;
        case AngleBox::Seconds:
            return TextMiao;
        case AngleBox::Packed:
            return Text2;
        case AngleBox::Marked:
            return Text3;
        case AngleBox::DecimalDegrees:
            return Text4;
        case AngleBox::Radians:
            break;
    }
    return Text5;
}

AngleBoxTexts FormDC2::currentTexts() const {
    return AngleBoxTexts{
        .degrees = TextDu->text().toStdString(),
        .minutes = TextFen->text().toStdString(),
        .seconds = TextMiao->text().toStdString(),
        .packed = Text2->text().toStdString(),
        .marked = Text3->text().toStdString(),
        .decimalDegrees = Text4->text().toStdString(),
        .radians = Text5->text().toStdString(),
    };
}

}  // namespace mapsheet
