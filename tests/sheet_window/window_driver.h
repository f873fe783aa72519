#pragma once

// Drives the sheet window the way a user does: focusing a box by clicking it, typing keys,
// choosing list entries and clicking controls found by their names.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "sheet_window/FormDC1.h"

namespace window_driver {

template <class Control>
Control* Find(QWidget& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return control;
}

inline QString TextOf(QWidget& window, const QString& name) {
    if (auto* box = window.findChild<QLineEdit*>(name)) {
        return box->text();
    }
    return Find<QLabel>(window, name)->text();
}

inline void Show(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
}

// Clicks into the box, empties it and types the text key by key.
inline void TypeInto(QWidget& window, const QString& name, const QString& text) {
    auto* box = Find<QLineEdit>(window, name);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Clicks into the box, empties it and pastes the text in one piece.
inline void PasteInto(QWidget& window, const QString& name, const QString& text) {
    auto* box = Find<QLineEdit>(window, name);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    box->insert(text);
}

inline void Click(QWidget& window, const QString& name) {
    QTest::mouseClick(Find<QWidget>(window, name), Qt::LeftButton);
}

// Focuses the drop-down list and chooses the entry with the text, raising what a choice from
// the list raises: the change of index (when it changes), then the activation.
inline void Choose(QWidget& window, const QString& name, const QString& entry) {
    auto* list = Find<QComboBox>(window, name);
    list->setFocus(Qt::MouseFocusReason);
    const int index = list->findText(entry);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

inline void ChooseScale(QWidget& window, int scale) {
    Click(window, QString("OptBiLi%1").arg(scale));
}

// Types a position as degrees, minutes and seconds into the six boxes.
inline void TypePosition(QWidget& window, const QString& longitude, const QString& latitude) {
    const QStringList lon = longitude.split(' ');
    const QStringList lat = latitude.split(' ');
    TypeInto(window, "TextJdD", lon[0]);
    TypeInto(window, "TextJdF", lon[1]);
    TypeInto(window, "TextJdM", lon[2]);
    TypeInto(window, "TextWdD", lat[0]);
    TypeInto(window, "TextWdF", lat[1]);
    TypeInto(window, "TextWdM", lat[2]);
}

inline QString Boxes(QWidget& window, const char* prefix) {
    return TextOf(window, QString(prefix) + "D") + " " + TextOf(window, QString(prefix) + "F") +
           " " + TextOf(window, QString(prefix) + "M");
}

inline QString MiddleSheet(QWidget& window) {
    return TextOf(window, "LabXin5");
}

}  // namespace window_driver
