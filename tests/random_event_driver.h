#pragma once

// A seeded stream of random user events for a window: clicks on its controls (which move the
// focus), typed keys (digits, full-width digits, the marks, points, dashes, letters), editing
// and arrow keys, F5 to F7, Enter, Tab and list choices. Each event runs to completion with the
// queued events it posts; the driver records how long it took and catches any exception that
// leaves a handler, and keeps the last events so that a failure can say what led to it.
//
// The seed comes from MAPSHEET_RANDOM_EVENTS_SEED when set, so a failing run can be repeated.
// Buttons that open an address reach the desktop; the tests run offscreen, where that opens
// nothing, and catch the addresses with a URL handler besides.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace random_events {

inline std::uint32_t seedFromEnvironment(std::uint32_t fallback) {
    bool ok = false;
    const std::uint32_t seed = qEnvironmentVariable("MAPSHEET_RANDOM_EVENTS_SEED").toUInt(&ok);
    return ok ? seed : fallback;
}

struct Outcome {
    int events = 0;
    qint64 slowestMilliseconds = 0;
    QString slowestEvent;
    QString escapedException;  // empty when none escaped
    QString lastEvents;        // the events before the end, one a line
};

class Driver {
  public:
    Driver(QWidget& window, std::uint32_t seed) : window_(window), random_(seed) {}

    // An extra kind of event, chosen with the weight given (the built-in kinds weigh 1 to 40).
    void addEvent(int weight, std::function<QString()> event) {
        extra_.push_back({weight, std::move(event)});
    }

    // Runs after every event, to look at what the window shows.
    void afterEach(std::function<void()> look) { afterEach_ = std::move(look); }

    Outcome run(int count) {
        Outcome outcome;
        std::deque<QString> recent;
        for (int i = 0; i < count; ++i) {
            QString description;
            QElapsedTimer timer;
            timer.start();
            try {
                description = randomEvent();
                QApplication::processEvents();
                if (afterEach_) {
                    afterEach_();
                }
            } catch (const std::exception& error) {
                outcome.escapedException = description + ": " + QString::fromUtf8(error.what());
            } catch (...) {
                outcome.escapedException = description + ": an exception of unknown type";
            }
            const qint64 elapsed = timer.elapsed();
            if (elapsed > outcome.slowestMilliseconds) {
                outcome.slowestMilliseconds = elapsed;
                outcome.slowestEvent = description;
            }
            recent.push_back(QString::number(i) + " " + description);
            if (recent.size() > 25) {
                recent.pop_front();
            }
            ++outcome.events;
            if (!outcome.escapedException.isEmpty()) {
                break;
            }
        }
        for (const QString& line : recent) {
            outcome.lastEvents += line + "\n";
        }
        return outcome;
    }

    std::mt19937& random() { return random_; }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

    template <class T>
    T* any(const QList<T*>& list) {
        return list.isEmpty() ? nullptr : list[below(static_cast<int>(list.size()))];
    }

    // The widget keys go to: the focused one, else the window.
    QWidget* keyTarget() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : &window_;
    }

    QString typeCharacter() {
        static const QStringList characters = {
            "0", "1", "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "0",  "1",
            "5", "9", "０", "１", "２", "３", "４", "５", "６", "７", "８", "９",
            ".", ".", "-",  "-",  "°",  "′",  "″",  "。", "－", "＿", "_",  "·",
            "a", "E", "k",  "d",  "'",  "\"", ":",  ",",  " ",  "　", "e",  "+"};
        const QString typed = characters[below(static_cast<int>(characters.size()))];
        QWidget* target = keyTarget();
        const QChar c = typed[0];
        const auto code = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, target, code, typed, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, code, typed, Qt::NoModifier);
        return "type " + typed + " into " + target->objectName();
    }

    QString pressKey() {
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Key keys[] = {
            {Qt::Key_Backspace, {}, "Backspace"},
            {Qt::Key_Delete, {}, "Delete"},
            {Qt::Key_Home, {}, "Home"},
            {Qt::Key_End, {}, "End"},
            {Qt::Key_Left, {}, "Left"},
            {Qt::Key_Right, {}, "Right"},
            {Qt::Key_Up, {}, "Up"},
            {Qt::Key_Down, {}, "Down"},
            {Qt::Key_Return, {}, "Enter"},
            {Qt::Key_Enter, {}, "keypad Enter"},
            {Qt::Key_Tab, {}, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_F5, {}, "F5"},
            {Qt::Key_F6, {}, "F6"},
            {Qt::Key_F7, {}, "F7"},
            {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
            {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
        };
        const Key& key = keys[below(static_cast<int>(std::size(keys)))];
        QWidget* target = keyTarget();
        QTest::keyClick(target, key.key, key.modifiers);
        return QString("press %1 in %2").arg(key.name, target->objectName());
    }

    QString clickBox() {
        QLineEdit* box = any(window_.findChildren<QLineEdit*>());
        if (box == nullptr || !box->isVisible()) {
            return "no box to click";
        }
        QTest::mouseClick(box, Qt::LeftButton, {},
                          QPoint(1 + below(box->width() - 1), box->height() / 2));
        return "click " + box->objectName();
    }

    QString selectAllAndType() {
        QLineEdit* box = any(window_.findChildren<QLineEdit*>());
        if (box == nullptr || !box->isVisible()) {
            return "no box to retype";
        }
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QString typed;
        for (int n = 1 + below(4); n > 0; --n) {
            typed += typeCharacter().section(' ', 1, 1);
        }
        return "retype " + box->objectName() + " as " + typed;
    }

    QString clickButton() {
        QAbstractButton* button = any(window_.findChildren<QAbstractButton*>());
        if (button == nullptr || !button->isVisible() || !button->isEnabled()) {
            return "no button to click";
        }
        QTest::mouseClick(button, Qt::LeftButton);
        return "click " + button->objectName();
    }

    QString clickLabel() {
        QLabel* label = any(window_.findChildren<QLabel*>());
        if (label == nullptr || !label->isVisible()) {
            return "no label to click";
        }
        QTest::mouseClick(label, Qt::LeftButton);
        return "click " + label->objectName();
    }

    // A choice from a drop-down list as the mouse makes it: the index changes, then the list
    // reports the activation.
    QString chooseFromList() {
        QComboBox* list = any(window_.findChildren<QComboBox*>());
        if (list == nullptr || list->count() == 0 || !list->isVisible()) {
            return "no list to choose from";
        }
        list->setFocus(Qt::MouseFocusReason);
        const int index = below(list->count());
        list->setCurrentIndex(index);
        emit list->activated(index);
        return QString("choose %1 in %2").arg(index).arg(list->objectName());
    }

  private:
    QString randomEvent() {
        struct Kind {
            int weight;
            QString (Driver::*event)();
        };
        static const Kind kinds[] = {
            {40, &Driver::typeCharacter},   {20, &Driver::pressKey},   {12, &Driver::clickBox},
            {4, &Driver::selectAllAndType}, {8, &Driver::clickButton}, {3, &Driver::clickLabel},
            {4, &Driver::chooseFromList},
        };
        int total = 0;
        for (const Kind& kind : kinds) {
            total += kind.weight;
        }
        for (const auto& extra : extra_) {
            total += extra.first;
        }
        int pick = below(total);
        for (const Kind& kind : kinds) {
            if (pick < kind.weight) {
                return (this->*kind.event)();
            }
            pick -= kind.weight;
        }
        for (const auto& extra : extra_) {
            if (pick < extra.first) {
                return extra.second();
            }
            pick -= extra.first;
        }
        return {};
    }

    QWidget& window_;
    std::mt19937 random_;
    std::vector<std::pair<int, std::function<QString()>>> extra_;
    std::function<void()> afterEach_;
};

}  // namespace random_events
