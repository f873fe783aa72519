#pragma once

// The angle-conversion window: one angle in five written forms kept in step.
//
// Opened modally from the sheet window with exec(). Every opening starts afresh, as the first
// one does: the load step's default texts, 精确模式 on and the conversion from the degrees box.
// Closing puts 精确模式 back, so the sheet window computes in double again.
//
// Seven boxes hold the forms: TextDu, TextFen, TextMiao (degrees, minutes, seconds), Text2
// (packed D.MMSSs...), Text3 (marked text D°M′S″), Text4 (decimal degrees) and Text5 (radians).
// A box converts only while it is the box the user works in (the one that last gained the
// focus): a change of its text, typed or written by a program, is handed whole to
// convertAngleBoxes and every box then shows the result; the caret goes to the end of the box.
// A change of any other box's text converts nothing. In Text3 the keys F5, F6 and F7 append
// "°", "′" and "″" at the end of the text, wherever the caret stands; elsewhere they do nothing.
//
// Every event handler catches whatever it raises: a failed conversion empties the six boxes
// other than the typed one and the window carries on.

#include <QDialog>
#include <QString>

#include "library/angle_conversion.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mapsheet {

// Opened by the window's download button.
inline constexpr char kAngleWindowDownloadAddress[] = "https://www.ngcc.cn/";

class FormDC2 : public QDialog {
    Q_OBJECT

  public:
    explicit FormDC2(QWidget* parent = nullptr);
    ~FormDC2() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void createControls();
    void arrangeControls();
    void writeDefaultTexts();

    void Form_Load();
    void Form_Unload();
    void boxChanged(AngleBox box);
    void writeConversion(AngleBox typedBox, const AngleBoxTexts& texts);
    void emptyOtherBoxes(AngleBox typedBox);
    void Text3_AppendMark(const QString& mark);
    void CommandBD_Click();

    QLineEdit* lineEditOf(AngleBox box) const;
    AngleBoxTexts currentTexts() const;

    // The box the user works in; only that box converts.
    AngleBox activeBox = AngleBox::Degrees;
    // 精确模式 as it was before this opening, put back at closing.
    bool rememberedExactMode = false;
    // Between the load step and the unload step of one opening.
    bool isOpen = false;
    // Held while the window writes conversion results, so that those writes convert nothing.
    bool writingResults = false;

    QLabel* LabelTop = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label23 = nullptr;

    QLineEdit* TextDu = nullptr;
    QLineEdit* TextFen = nullptr;
    QLineEdit* TextMiao = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;

    QPushButton* CommandBD = nullptr;
};

}  // namespace mapsheet
