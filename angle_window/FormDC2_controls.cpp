// The controls of the angle window, their captions, default texts and arrangement.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "angle_window/FormDC2.h"

namespace mapsheet {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The captionless labels serve as rules between the groups of the window.
QLabel* makeRule(QWidget* parent, const char* name, QFrame::Shape shape) {
    QLabel* rule = makeLabel(parent, name, QString());
    rule->setFrameStyle(shape | QFrame::Sunken);
    return rule;
}

QLineEdit* makeBox(QWidget* parent, const char* name, int widthInDigits) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    const QFontMetrics metrics(box->font());
    box->setMinimumWidth(metrics.horizontalAdvance(QString(widthInDigits, QLatin1Char('0'))) +
                         metrics.averageCharWidth() * 2);
    return box;
}

// Worked examples are told apart from the boxes by their colour.
void markAsExample(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x1f, 0x4e, 0x9a));
    label->setPalette(palette);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

}  // namespace

void FormDC2::createControls() {
    LabelTop = makeLabel(this, "LabelTop", QStringLiteral("衡启角度转换"));
    QFont titleFont = LabelTop->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    LabelTop->setFont(titleFont);
    LabelTop->setAlignment(Qt::AlignCenter);
    Label17 = makeLabel(this, "Label17",
                        QStringLiteral("在某文本框输入已知数据，其它文本框自动显示转换成果"));
    Label17->setAlignment(Qt::AlignCenter);

    // Created in the order a user tabs through them.
    TextDu = makeBox(this, "TextDu", 6);
    TextFen = makeBox(this, "TextFen", 3);
    TextMiao = makeBox(this, "TextMiao", 16);
    Text2 = makeBox(this, "Text2", 30);
    Text3 = makeBox(this, "Text3", 30);
    Text4 = makeBox(this, "Text4", 30);
    Text5 = makeBox(this, "Text5", 30);

    Label1 = makeLabel(this, "Label1", QStringLiteral("度分秒①"));
    Label2 = makeLabel(this, "Label2", QStringLiteral("度分秒②"));
    Label3 = makeLabel(this, "Label3", QStringLiteral("度分秒③"));
    Label4 = makeLabel(this, "Label4", QStringLiteral("百分度型"));
    Label5 = makeLabel(this, "Label5", QStringLiteral("弧 度 型"));
    Label1->setBuddy(TextDu);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text3);
    Label4->setBuddy(Text4);
    Label5->setBuddy(Text5);

    Label9 = makeLabel(this, "Label9", QStringLiteral("例子:"));
    Label10 = makeLabel(this, "Label10", QStringLiteral("例子:"));
    Label11 = makeLabel(this, "Label11", QStringLiteral("例子:"));
    Label12 = makeLabel(this, "Label12", QStringLiteral("例子:"));
    Label13 = makeLabel(this, "Label13", QStringLiteral("45.52566879°"));
    Label14 = makeLabel(this, "Label14", QStringLiteral("45°52′56.6879″"));
    Label15 = makeLabel(this, "Label15", QStringLiteral("45.882413305556"));
    Label16 = makeLabel(this, "Label16", QStringLiteral("0.8007991809428"));
    for (QLabel* example : {Label13, Label14, Label15, Label16}) {
        markAsExample(example);
    }

    Label18 =
        makeLabel(this, "Label18",
                  QStringLiteral("上栏输入 45°52′56.6789″方法：45 [F5]  52 [F6]  56.6789 [F7]"));
    Label19 = makeLabel(
        this, "Label19",
        QStringLiteral(
            "度分秒制：用360度代表一周，再把分秒按60进制表示。89.59599999999 接近直角。"));
    Label20 = makeLabel(
        this, "Label20",
        QStringLiteral(
            "百分度制：用360度代表一周，再把一度按100进制表示。89.99999999999 接近直角。"));
    Label21 = makeLabel(
        this, "Label21",
        QStringLiteral("弧度制：用圆周率π= 3.14159265358979代表180度，1.57079632679 接近直角。"));
    Label22 = makeLabel(this, "Label22", QStringLiteral("数字最大有效长度为28位"));
    Label24 = makeLabel(this, "Label24", QStringLiteral("度分秒③型进行有效舍位"));
    for (QLabel* note : {Label19, Label20, Label21}) {
        note->setWordWrap(true);
    }

    Label6 = makeRule(this, "Label6", QFrame::HLine);
    Label7 = makeRule(this, "Label7", QFrame::HLine);
    Label8 = makeRule(this, "Label8", QFrame::HLine);
    Label23 = makeRule(this, "Label23", QFrame::VLine);

    CommandBD = new QPushButton(QStringLiteral("下载"), this);
    CommandBD->setObjectName(QStringLiteral("CommandBD"));
    CommandBD->setToolTip(QString::fromLatin1(kAngleWindowDownloadAddress));
    // Enter in a box must not press the button and open the browser.
    CommandBD->setAutoDefault(false);
    CommandBD->setDefault(false);
}

void FormDC2::arrangeControls() {
    auto* degreeMinuteSecond = new QHBoxLayout;
    degreeMinuteSecond->addWidget(TextDu, 3);
    degreeMinuteSecond->addWidget(TextFen, 2);
    degreeMinuteSecond->addWidget(TextMiao, 8);

    enum Column { kFormLabel, kBox, kRule, kExampleHeading, kExample };
    auto* forms = new QGridLayout;
    forms->setHorizontalSpacing(10);
    forms->addWidget(Label1, 0, kFormLabel);
    forms->addLayout(degreeMinuteSecond, 0, kBox);
    forms->addWidget(Label2, 1, kFormLabel);
    forms->addWidget(Text2, 1, kBox);
    forms->addWidget(Label9, 1, kExampleHeading);
    forms->addWidget(Label13, 1, kExample);
    forms->addWidget(Label3, 2, kFormLabel);
    forms->addWidget(Text3, 2, kBox);
    forms->addWidget(Label10, 2, kExampleHeading);
    forms->addWidget(Label14, 2, kExample);
    forms->addWidget(Label18, 3, kBox, Qt::AlignLeft);
    forms->addWidget(Label24, 3, kExampleHeading, 1, 2);
    forms->addWidget(Label4, 4, kFormLabel);
    forms->addWidget(Text4, 4, kBox);
    forms->addWidget(Label11, 4, kExampleHeading);
    forms->addWidget(Label15, 4, kExample);
    forms->addWidget(Label5, 5, kFormLabel);
    forms->addWidget(Text5, 5, kBox);
    forms->addWidget(Label12, 5, kExampleHeading);
    forms->addWidget(Label16, 5, kExample);
    forms->addWidget(Label23, 0, kRule, 6, 1);
    forms->setColumnStretch(kBox, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label22);
    bottom->addStretch(1);
    bottom->addWidget(CommandBD);

    auto* window = new QVBoxLayout(this);
    window->addWidget(LabelTop);
    window->addWidget(Label17);
    window->addWidget(Label6);
    window->addLayout(forms);
    window->addWidget(Label7);
    window->addWidget(Label19);
    window->addWidget(Label20);
    window->addWidget(Label21);
    window->addWidget(Label8);
    // An enlarged window keeps the boxes and their notes together at the top.
    window->addStretch(1);
    window->addLayout(bottom);
}

void FormDC2::writeDefaultTexts() {
    TextDu->setText(QStringLiteral("-0"));
    TextFen->setText(QStringLiteral("3"));
    TextMiao->setText(QStringLiteral("0.0"));
    Text2->setText(QStringLiteral("-0.0300"));
    Text3->setText(QStringLiteral("-0°03′00″"));
    Text4->setText(QStringLiteral("-.05"));
    Text5->setText(QStringLiteral("-.0008726646259971647884618454"));
}

}  // namespace mapsheet
