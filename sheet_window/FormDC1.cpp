// Construction of the sheet-numbering window: its controls with their names, captions and
// tooltips, the layout, the event wiring and the load step.

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "angle_window/FormDC2.h"
#include "engine/scale_catalogue.h"
#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/selectable_label.h"
#include "sheet_window/sheet_grid_frame.h"
#include "window_common/handler_guard.h"

namespace mapsheet {

namespace {

using sheet_window::SelectableLabel;
using window_common::RunGuarded;

// The widest texts the cells and the coordinate labels hold.
const QString kWidestNewNumber = QStringLiteral("SV60K23042304");
const QString kWidestOldNumber = QStringLiteral("SV-60-144-(256)-d");
const QString kWidestCoordinate = QStringLiteral("-179°59′59.99″");

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

SelectableLabel* MakeSelectableLabel(QWidget* parent, const QString& name) {
    auto* label = new SelectableLabel(parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* MakeBox(QWidget* parent, const QString& name, const QString& text,
                   const QString& tooltip, ActionCode code) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->setProperty(FormDC1::kFocusCodeProperty, static_cast<int>(code));
    return box;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& tooltip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    return button;
}

QFrame* MakeLine(QWidget* parent, const QString& name, QFrame::Shape shape) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(2);
    // A hidden separator keeps its place, so the cells do not move when lines come and go.
    QSizePolicy policy = line->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    line->setSizePolicy(policy);
    return line;
}

// Width of a box that holds the given sample text comfortably.
int BoxWidth(const QWidget* box, const QString& sample) {
    return QFontMetrics(box->font()).horizontalAdvance(sample) + 16;
}

}  // namespace

FormDC1::FormDC1(QWidget* parent) : QWidget(parent) {
    setObjectName("FormDC1");
    setWindowTitle(QStringLiteral(" 地形图分幅与编号 — mapsheet"));
    BuildControls();
    BuildLayout();
    ConnectEvents();
    RunGuarded([this] { Load(); });
}

FormDC1::~FormDC1() = default;

void FormDC1::BuildControls() {
    labelTop_ = MakeLabel(this, "LabelTop", QStringLiteral("地形图 分幅与编号"));
    QFont titleFont = labelTop_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    labelTop_->setFont(titleFont);
    labelTop_->setAlignment(Qt::AlignCenter);

    const QString longitude = QStringLiteral("经度");
    const QString latitude = QStringLiteral("纬度");
    textJdD_ = MakeBox(this, "TextJdD", "117", longitude, ActionCode::LongitudeDegrees);
    textJdF_ = MakeBox(this, "TextJdF", "30", longitude, ActionCode::LongitudeMinutes);
    textJdM_ = MakeBox(this, "TextJdM", "00", longitude, ActionCode::LongitudeSeconds);
    textWdD_ = MakeBox(this, "TextWdD", "39", latitude, ActionCode::LatitudeDegrees);
    textWdF_ = MakeBox(this, "TextWdF", "58", latitude, ActionCode::LatitudeMinutes);
    textWdM_ = MakeBox(this, "TextWdM", "45", latitude, ActionCode::LatitudeSeconds);
    label1_ = MakeLabel(this, "Label1", QStringLiteral("图中间点的经度（东）"));
    label2_ = MakeLabel(this, "Label2", QStringLiteral("图中间点的纬度（北）"));
    const QString marks[3] = {QStringLiteral("°"), QStringLiteral("′"), QStringLiteral("″")};
    for (int i = 0; i < 6; ++i) {
        unitLabels_[i] = MakeLabel(this, QString("Label%1").arg(i + 3), marks[i % 3]);
    }

    auto* scaleGroup = new QButtonGroup(this);
    for (int i = 0; i < engine::kScaleCount; ++i) {
        optBiLi_[i] = new QRadioButton(this);
        optBiLi_[i]->setObjectName(QString("OptBiLi%1").arg(i));
        optBiLi_[i]->setAutoFillBackground(true);
        scaleGroup->addButton(optBiLi_[i], i);
        labBiLi_[i] =
            MakeLabel(this, QString("LabBiLi%1").arg(i), Text(engine::kScaleCatalogue[i].caption));
    }

    dcButZhuan_ = MakeButton(this, "dcButZhuan", QStringLiteral("执行 编码转换"),
                             QStringLiteral("输入<编号>或<经纬度>后，执行编码转换"));
    dcButUp_ =
        MakeButton(this, "dcButUp", QStringLiteral("上 ↑"), QStringLiteral("向上移动一个图幅"));
    dcButDown_ =
        MakeButton(this, "dcButDown", QStringLiteral("下 ↓"), QStringLiteral("向下移动一个图幅"));
    dcButLeft_ =
        MakeButton(this, "dcButLeft", QStringLiteral("← 左"), QStringLiteral("向左移动一个图幅"));
    dcButRight_ =
        MakeButton(this, "dcButRight", QStringLiteral("右 →"), QStringLiteral("向右移动一个图幅"));

    comIdS_ = new QComboBox(this);
    comIdS_->setObjectName("ComIdS");
    comIdS_->setToolTip(QStringLiteral("南北半球的标志"));
    comIdS_->addItems({" ", "S"});
    comIdS_->setProperty(FormDC1::kFocusCodeProperty, int(ActionCode::HemisphereList));
    comIdB_ = new QComboBox(this);
    comIdB_->setObjectName("ComIdB");
    comIdB_->setToolTip(QStringLiteral("纬度带号"));
    comIdB_->addItem(" ");
    for (char letter = 'A'; letter <= 'V'; ++letter) {
        comIdB_->addItem(QString(QChar(letter)));
    }
    comIdB_->setProperty(FormDC1::kFocusCodeProperty, int(ActionCode::RowLetterList));
    textId1_ = MakeBox(this, "TextID1", {}, QStringLiteral("经度的数字编码"), ActionCode::ZoneBox);
    textId2_ =
        MakeBox(this, "TextID2", {}, QStringLiteral("比例尺标识"), ActionCode::ScaleLetterBox);
    textId3_ =
        MakeBox(this, "TextID3", {}, QStringLiteral("所在行的数字编码"), ActionCode::RowCodeBox);
    textId4_ =
        MakeBox(this, "TextID4", {}, QStringLiteral("所在列的数字编码"), ActionCode::ColumnCodeBox);

    for (int k = 0; k < 9; ++k) {
        auto* newNumber = MakeSelectableLabel(this, QString("LabXin%1").arg(k + 1));
        newNumber->setToolTip(QStringLiteral("新图幅编号"));
        QFont bold = newNumber->font();
        bold.setBold(true);
        newNumber->setFont(bold);
        newNumber->FixSizeFor(kWidestNewNumber);
        auto* oldNumber = MakeSelectableLabel(this, QString("LabOld%1").arg(k + 1));
        oldNumber->setToolTip(QStringLiteral("1992年前--原图幅编号"));
        oldNumber->FixSizeFor(kWidestOldNumber);
        for (QLabel* cell : {static_cast<QLabel*>(newNumber), static_cast<QLabel*>(oldNumber)}) {
            cell->setAlignment(Qt::AlignCenter);
            cell->setContextMenuPolicy(Qt::CustomContextMenu);
        }
        labXin_[k] = newNumber;
        labOld_[k] = oldNumber;
    }
    labNswe_ = MakeLabel(this, "LabNSWE", QStringLiteral("粗体为1993-2012新编码"));
    for (int i = 0; i < 4; ++i) {
        auto* longitude = MakeSelectableLabel(this, QString("LabJingDu%1").arg(i));
        longitude->setAlignment(Qt::AlignCenter);
        longitude->FixSizeFor(kWidestCoordinate);
        auto* latitude = MakeSelectableLabel(this, QString("LabWeiDu%1").arg(i));
        latitude->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        latitude->FixSizeFor(kWidestCoordinate);
        labJingDu_[i] = longitude;
        labWeiDu_[i] = latitude;
    }
    const char* const lineNames[12] = {"LineA1", "LineB1", "LineA2", "LineB2", "LineA3", "LineB3",
                                       "LineC1", "LineC2", "LineC3", "LineD1", "LineD2", "LineD3"};
    for (int i = 0; i < 12; ++i) {
        separatorLines_[i] = MakeLine(this, lineNames[i], i < 6 ? QFrame::VLine : QFrame::HLine);
    }
    shape1_ = new QFrame(this);
    shape1_->setObjectName("Shape1");
    shape1_->setFrameShape(QFrame::StyledPanel);
    shape2_ = new QFrame(this);
    shape2_->setObjectName("Shape2");
    shape2_->setFrameShape(QFrame::StyledPanel);
    sheetGrid_ = new sheet_window::SheetGridFrame(this);
    sheetGrid_->setObjectName("SheetGrid");
    copyAllNumbers_ = new QAction(QStringLiteral("复制全部编号"), this);
    copyAllNumbers_->setObjectName("CopyAllNumbers");
    exportSheetIndex_ = new QAction(QStringLiteral("导出接图表…"), this);
    exportSheetIndex_->setObjectName("ExportSheetIndex");

    labTuId_ = MakeLabel(this, "LabTuID", QStringLiteral("新编号示例:_K50E003005"));
    labBeiZhu_ = MakeLabel(this, "LabBeiZhu", QStringLiteral("备注"));
    labBeiZhu_->setWordWrap(true);
    labelXinXi_ = MakeLabel(this, "LabelXinXi", QStringLiteral("此处显示--提示信息"));
    labBanBen_ = MakeLabel(this, "LabBanBen");
    commandJd_ = MakeButton(this, "CommandJd", QStringLiteral("角度转换"),
                            QStringLiteral("转到 -- 衡启角度转换页面"));
    commandBd_ = MakeButton(this, "CommandBD", QStringLiteral("国家标准"),
                            QStringLiteral("GB/T 13989-2012 国家基本比例尺地形图分幅和编号"));
}

void FormDC1::BuildLayout() {
    auto* root = new QVBoxLayout(this);
    root->addWidget(labelTop_);

    // Position boxes and the scale choice side by side.
    auto* positionGrid = new QGridLayout;
    const std::array<QLineEdit*, 6> boxes = {textJdD_, textJdF_, textJdM_,
                                             textWdD_, textWdF_, textWdM_};
    const QString samples[3] = {"-000", "00", "00.000"};
    positionGrid->addWidget(label1_, 0, 0);
    positionGrid->addWidget(label2_, 1, 0);
    for (int i = 0; i < 6; ++i) {
        boxes[i]->setFixedWidth(BoxWidth(boxes[i], samples[i % 3]));
        positionGrid->addWidget(boxes[i], i / 3, 1 + 2 * (i % 3));
        positionGrid->addWidget(unitLabels_[i], i / 3, 2 + 2 * (i % 3));
    }
    auto* scaleGrid = new QGridLayout(shape1_);
    for (int i = 0; i < engine::kScaleCount; ++i) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(2);
        pair->addWidget(optBiLi_[i]);
        pair->addWidget(labBiLi_[i]);
        pair->addStretch();
        scaleGrid->addLayout(pair, i / 6, i % 6);
    }
    auto* inputRow = new QHBoxLayout;
    inputRow->addLayout(positionGrid);
    inputRow->addSpacing(12);
    inputRow->addWidget(shape1_, 1);
    root->addLayout(inputRow);

    // The sheet number typed in pieces, with the example and the convert button.
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel(QStringLiteral("图幅编号"), this));
    numberRow->addWidget(comIdS_);
    numberRow->addWidget(comIdB_);
    textId1_->setFixedWidth(BoxWidth(textId1_, "000"));
    textId2_->setFixedWidth(BoxWidth(textId2_, "WW"));
    textId3_->setFixedWidth(BoxWidth(textId3_, "00000"));
    textId4_->setFixedWidth(BoxWidth(textId4_, "00000"));
    for (QLineEdit* box : {textId1_, textId2_, textId3_, textId4_}) {
        numberRow->addWidget(box);
    }
    numberRow->addSpacing(12);
    numberRow->addWidget(labTuId_);
    numberRow->addStretch();
    numberRow->addWidget(dcButZhuan_);
    root->addLayout(numberRow);

    // The 3 x 3 grid inside its frame: cells at even rows and columns, lines at odd ones. The
    // coordinate labels sit in their own rows and columns beside it; the frame is inset by
    // half a label so that each label is centred on its line.
    const int coordinateWidth = labJingDu_[0]->width();
    const int coordinateHeight = labWeiDu_[0]->height();
    const int border = sheet_window::SheetGridFrame::kBorderWidth;

    auto* block = new QGridLayout(sheetGrid_);
    block->setSpacing(0);
    block->setContentsMargins(border, border, border, border);
    for (int k = 0; k < 9; ++k) {
        auto* cell = new QVBoxLayout;
        cell->setContentsMargins(4, 2, 4, 2);
        cell->setSpacing(0);
        // An enlarged cell keeps its two numbers together in its middle.
        cell->addStretch(1);
        cell->addWidget(labXin_[k], 0, Qt::AlignHCenter);
        cell->addWidget(labOld_[k], 0, Qt::AlignHCenter);
        cell->addStretch(1);
        block->addLayout(cell, 2 * (k / 3), 2 * (k % 3));
    }
    for (int r = 0; r < 3; ++r) {
        block->addWidget(separatorLines_[2 * r], 2 * r, 1);      // LineA
        block->addWidget(separatorLines_[2 * r + 1], 2 * r, 3);  // LineB
        block->addWidget(separatorLines_[6 + r], 1, 2 * r);      // LineC
        block->addWidget(separatorLines_[9 + r], 3, 2 * r);      // LineD
    }
    for (int i = 0; i <= 4; i += 2) {
        block->setColumnStretch(i, 1);
        block->setRowStretch(i, 1);
    }
    auto* gridHolder = new QVBoxLayout;
    gridHolder->setContentsMargins(coordinateWidth / 2, coordinateHeight / 2, coordinateWidth / 2,
                                   coordinateHeight / 2);
    gridHolder->addWidget(sheetGrid_);

    auto* latitudeColumn = new QVBoxLayout;
    latitudeColumn->setSpacing(0);
    latitudeColumn->setContentsMargins(0, 0, 0, 0);
    auto* longitudeRow = new QHBoxLayout;
    longitudeRow->setSpacing(0);
    longitudeRow->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        latitudeColumn->addWidget(labWeiDu_[3 - i], 0, Qt::AlignRight);
        longitudeRow->addWidget(labJingDu_[i]);
        if (i < 3) {
            latitudeColumn->addStretch(1);
            longitudeRow->addStretch(1);
        }
    }

    auto* neighbourhood = new QGridLayout(shape2_);
    neighbourhood->setHorizontalSpacing(4);
    neighbourhood->addWidget(labNswe_, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    neighbourhood->addWidget(dcButUp_, 0, 2, Qt::AlignHCenter);
    neighbourhood->addWidget(dcButLeft_, 1, 0, Qt::AlignVCenter);
    neighbourhood->addLayout(latitudeColumn, 1, 1);
    neighbourhood->addLayout(gridHolder, 1, 2);
    neighbourhood->addWidget(dcButRight_, 1, 3, Qt::AlignVCenter);
    neighbourhood->addLayout(longitudeRow, 2, 2);
    neighbourhood->addWidget(dcButDown_, 3, 2, Qt::AlignHCenter);
    neighbourhood->setColumnStretch(2, 1);
    neighbourhood->setRowStretch(1, 1);
    root->addWidget(shape2_, 1);

    // The standard line shares the last row with the version and the buttons, so that the
    // window keeps within a 1280 x 800 screen at a scale factor of 1.5.
    root->addWidget(labBeiZhu_);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(labelXinXi_);
    bottomRow->addStretch();
    bottomRow->addWidget(labBanBen_);
    bottomRow->addSpacing(12);
    bottomRow->addWidget(commandJd_);
    bottomRow->addWidget(commandBd_);
    root->addLayout(bottomRow);
}

void FormDC1::Load() {
    labBanBen_->setText(QStringLiteral("版本 ") + QStringLiteral(MAPSHEET_VERSION));
    ModuleQmb::清除运算信息();
    codeFormat_ = "000";
    currentLatitude_ = 41.0;
    currentLongitude_ = 117.5;
    optBiLi_[1]->setChecked(true);
    OnScaleOptionClicked(1);
    actionCode_ = ActionCode::LoadOrScale;
    OnConvertClicked();
}

}  // namespace mapsheet
