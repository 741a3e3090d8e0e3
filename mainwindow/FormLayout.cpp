#include "mainwindow/FormLayout.h"

#include "mainwindow/CatalogTree.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"
#include "mainwindow/ToolIcons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Focus (hover) and pressed colours of the flat speed buttons.
const char* kSpeedButtonStyle =
    "QToolButton { border: none; }"
    "QToolButton:hover { background: #d0d2d9; }"
    "QToolButton:pressed, QToolButton:checked { background: #d5d1bf; }";

template <class Layout>
Layout* tightLayout(QWidget* owner)
{
    auto* layout = new Layout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

void addButtons(QWidget* group, std::initializer_list<QToolButton*> buttons)
{
    auto* row = tightLayout<QHBoxLayout>(group);
    row->setSpacing(2);
    for (QToolButton* b : buttons) row->addWidget(b);
}

}  // namespace

QWidget* FormLayout::panel(const char* name, QWidget* parent)
{
    auto* p = new QWidget(parent);
    p->setObjectName(name);
    return p;
}

QLabel* FormLayout::caption(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setMinimumHeight(22);
    return label;
}

QToolButton* FormLayout::speedButton(const char* name, QWidget* parent, int width, int height)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setFixedSize(width, height);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(kSpeedButtonStyle);
    b->setIcon(ToolIcons::forButton(name, b->style()));
    b->setIconSize(QSize(28, 28));
    return b;
}

// A button at the right end of an area's header label.
QPushButton* FormLayout::headerButton(QLabel* header, const char* name, const char* text)
{
    auto* row = tightLayout<QHBoxLayout>(header);
    row->addStretch(1);
    auto* b = new QPushButton(text, header);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    row->addWidget(b);
    return b;
}

QCheckBox* FormLayout::headerCheck(const char* name)
{
    auto* box = new QCheckBox();
    box->setObjectName(name);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void FormLayout::build(QMainWindow* window, FormWidgets& w)
{
    auto* central = panel("pnCentral", window);
    auto* column = tightLayout<QVBoxLayout>(central);
    w.pnTop = panel("pnTop", central);
    w.pnTop->setFixedHeight(kTopHeight);
    column->addWidget(w.pnTop);
    column->addWidget(buildToolbar(w));

    auto* body = new QWidget(central);
    auto* row = tightLayout<QHBoxLayout>(body);
    row->addWidget(buildLeftColumn(w));

    w.slClient_1 = new QSplitter(Qt::Horizontal, body);
    w.slClient_1->setObjectName("slClient_1");
    w.slClient_1->setChildrenCollapsible(false);
    auto* pcSide = new QWidget(w.slClient_1);
    auto* pcRow = tightLayout<QHBoxLayout>(pcSide);
    pcRow->addWidget(buildPcArea(w), 1);
    pcRow->addWidget(buildTransferStrip(w));
    pcSide->setMinimumWidth(kSplitMinimum);
    w.slClient_1->addWidget(pcSide);
    w.slClient_1->addWidget(buildCardArea(w));
    w.slClient_1->setStretchFactor(0, 1);
    w.slClient_1->setStretchFactor(1, 0);
    row->addWidget(w.slClient_1, 1);
    column->addWidget(body, 1);
    window->setCentralWidget(central);

    buildStatusBar(window, w);
    ListView* views[6] = {w.etPhone, w.etPCMessage, w.etSim, w.etSim_Show, w.etSimMessage, w.etSimMessage_Show};
    std::copy(std::begin(views), std::end(views), std::begin(w.listViews));
}

QWidget* FormLayout::buildToolbar(FormWidgets& w)
{
    w.pnTop02 = panel("pnTop02");
    w.pnTop02->setFixedHeight(kToolbarHeight);
    auto* row = tightLayout<QHBoxLayout>(w.pnTop02);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(10);

    w.pnTop02_1 = panel("pnTop02_1", w.pnTop02);
    w.btnToSim = speedButton("btnToSim", w.pnTop02_1, 47, 44);
    w.btnToPC = speedButton("btnToPC", w.pnTop02_1, 47, 44);
    w.btnSave = speedButton("btnSave", w.pnTop02_1, 47, 44);
    addButtons(w.pnTop02_1, {w.btnToSim, w.btnToPC, w.btnSave});

    w.pnTop02_2 = panel("pnTop02_2", w.pnTop02);
    w.btnCopy = speedButton("btnCopy", w.pnTop02_2, 47, 44);
    w.btnPaste = speedButton("btnPaste", w.pnTop02_2, 47, 44);
    w.btnCut = speedButton("btnCut", w.pnTop02_2, 47, 44);
    w.btnDelete = speedButton("btnDelete", w.pnTop02_2, 47, 44);
    w.btnAdd = speedButton("btnAdd", w.pnTop02_2, 47, 44);
    addButtons(w.pnTop02_2, {w.btnCopy, w.btnPaste, w.btnCut, w.btnDelete, w.btnAdd});

    w.pnTop02_3 = panel("pnTop02_3", w.pnTop02);
    w.btnRefresh = speedButton("btnRefresh", w.pnTop02_3, 47, 44);
    addButtons(w.pnTop02_3, {w.btnRefresh});

    w.pnTop02_4 = panel("pnTop02_4", w.pnTop02);
    auto* titleRow = tightLayout<QHBoxLayout>(w.pnTop02_4);
    w.Image_Title = new QLabel(w.pnTop02_4);
    w.Image_Title->setObjectName("Image_Title");
    w.Image_Title->setFixedSize(258, 45);
    w.Image_Title->setScaledContents(true);
    auto* lines = new QWidget(w.pnTop02_4);
    auto* lineColumn = tightLayout<QVBoxLayout>(lines);
    w.pnTop02_4_1 = caption("pnTop02_4_1", "Quillon", lines);
    w.pnTop02_4_2 = caption("pnTop02_4_2", QString(), lines);
    for (QLabel* l : {w.pnTop02_4_1, w.pnTop02_4_2}) {
        l->setFrameShape(QFrame::NoFrame);
        l->setAutoFillBackground(false);
        lineColumn->addWidget(l);
    }
    w.lbDate = new QLabel(w.pnTop02_4);
    w.lbDate->setObjectName("lbDate");
    titleRow->addWidget(lines, 1);
    titleRow->addWidget(w.lbDate);
    titleRow->addSpacing(8);
    titleRow->addWidget(w.Image_Title);

    for (QWidget* group : {w.pnTop02_1, w.pnTop02_2, w.pnTop02_3}) row->addWidget(group);
    row->addWidget(w.pnTop02_4, 1);
    return w.pnTop02;
}

QWidget* FormLayout::buildLeftColumn(FormWidgets& w)
{
    w.pnCilent_1 = panel("pnCilent_1");
    w.pnCilent_1->setFixedWidth(kLeftWidth);
    auto* column = tightLayout<QVBoxLayout>(w.pnCilent_1);
    column->setContentsMargins(2, 6, 2, 6);
    column->setSpacing(6);
    w.btnPhone = speedButton("btnPhone", w.pnCilent_1, 61, 48);
    w.btnMessage = speedButton("btnMessage", w.pnCilent_1, 61, 48);
    w.bnBackup = speedButton("bnBackup", w.pnCilent_1, 61, 48);
    w.btnExit = speedButton("btnExit", w.pnCilent_1, 61, 48);
    for (QToolButton* b : {w.btnPhone, w.btnMessage, w.bnBackup, w.btnExit}) {
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIconSize(QSize(24, 24));
        column->addWidget(b);
    }
    w.btnPhone->setCheckable(true);
    w.btnMessage->setCheckable(true);
    w.btnPhone->setText("電話簿");
    w.btnMessage->setText("簡訊");
    w.bnBackup->setText("備份");
    w.btnExit->setText("結束");
    column->addStretch(1);
    return w.pnCilent_1;
}

QWidget* FormLayout::buildPcArea(FormWidgets& w)
{
    w.pnClient_2 = panel("pnClient_2");
    auto* column = tightLayout<QVBoxLayout>(w.pnClient_2);
    w.pnClient_2_1 = caption("pnClient_2_1", " PC", w.pnClient_2);
    w.btnSelectAllPC = headerButton(w.pnClient_2_1, "btnSelectAllPC", "Select all");
    column->addWidget(w.pnClient_2_1);
    column->addWidget(buildPcPanel(w, true), 1);
    column->addWidget(buildPcPanel(w, false), 1);
    w.PanelPCMessage->hide();
    return w.pnClient_2;
}

QWidget* FormLayout::buildPcPanel(FormWidgets& w, bool phone)
{
    QWidget* outer = panel(phone ? "PanelPCPhone" : "PanelPCMessage");
    outer->setMinimumSize(kPanelMinimum, kPanelMinimum);
    auto* row = tightLayout<QHBoxLayout>(outer);
    auto* split = new QSplitter(Qt::Horizontal, outer);
    split->setObjectName(phone ? "slPC" : "slPCMag");
    split->setChildrenCollapsible(false);

    QWidget* treeSide = panel(phone ? "pnPCPH01" : "pnPCM01", split);
    auto* treeColumn = tightLayout<QVBoxLayout>(treeSide);
    QLabel* treeLabel = caption(phone ? "pnPCPH" : "pnPCM01_1", "Catalog", treeSide);
    auto* tree = new CatalogTree(phone ? "tvPhone" : "tvMessage", treeSide);
    treeColumn->addWidget(treeLabel);
    treeColumn->addWidget(tree, 1);

    QWidget* listSide = panel(phone ? "pnPCPH03" : "pnPCM03", split);
    auto* listColumn = tightLayout<QVBoxLayout>(listSide);
    QLabel* listLabel = caption(phone ? "pnPCPH03_1" : "pnPCM03_1", "Contents", listSide);
    auto* view = new ListView(ListViewDesign::forName(phone ? "etPhone" : "etPCMessage"), listSide);
    QCheckBox* box = headerCheck(phone ? "etPhone_Check" : "etPCMessage_Check");
    view->setCornerCheckBox(box);
    listColumn->addWidget(listLabel);
    listColumn->addWidget(view, 1);

    split->addWidget(treeSide);
    split->addWidget(listSide);
    split->setStretchFactor(1, 1);
    split->setSizes({kCatalogWidth, 600});
    row->addWidget(split);

    if (phone) {
        w.PanelPCPhone = outer, w.slPC = split, w.pnPCPH01 = treeSide, w.pnPCPH = treeLabel, w.tvPhone = tree;
        w.pnPCPH03 = listSide, w.pnPCPH03_1 = listLabel, w.etPhone = view, w.etPhone_Check = box;
    } else {
        w.PanelPCMessage = outer, w.slPCMag = split, w.pnPCM01 = treeSide, w.pnPCM01_1 = treeLabel;
        w.tvMessage = tree, w.pnPCM03 = listSide, w.pnPCM03_1 = listLabel, w.etPCMessage = view;
        w.etPCMessage_Check = box;
    }
    tree->setSelectOnRightClick(phone);
    return outer;
}

QWidget* FormLayout::buildTransferStrip(FormWidgets& w)
{
    w.pnCilent_4 = panel("pnCilent_4");
    w.pnCilent_4->setFixedWidth(kTransferWidth);
    auto* column = tightLayout<QVBoxLayout>(w.pnCilent_4);
    column->setSpacing(12);
    w.btnToSim_SmallBtn = speedButton("btnToSim_SmallBtn", w.pnCilent_4, 28, 28);
    w.btnToPC_SmallBtn = speedButton("btnToPC_SmallBtn", w.pnCilent_4, 28, 28);
    w.btnToSim_SmallBtn->setText(">>");
    w.btnToPC_SmallBtn->setText("<<");
    column->addStretch(1);
    column->addWidget(w.btnToSim_SmallBtn, 0, Qt::AlignHCenter);
    column->addWidget(w.btnToPC_SmallBtn, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return w.pnCilent_4;
}

QWidget* FormLayout::buildCardArea(FormWidgets& w)
{
    w.pnClient_3 = panel("pnClient_3");
    w.pnClient_3->setMinimumWidth(kSplitMinimum);
    auto* column = tightLayout<QVBoxLayout>(w.pnClient_3);
    w.pnClient_3_1 = caption("pnClient_3_1", " SIM card", w.pnClient_3);
    w.btnSelectAllSIM = headerButton(w.pnClient_3_1, "btnSelectAllSIM", "Select_All");
    column->addWidget(w.pnClient_3_1);

    w.PanelSim = panel("PanelSim", w.pnClient_3);
    w.PanelSim->setMinimumSize(kPanelMinimum, kPanelMinimum);
    auto* simColumn = tightLayout<QVBoxLayout>(w.PanelSim);
    w.gbSim = new QGroupBox(w.PanelSim);
    w.gbSim->setObjectName("gbSim");
    auto* grid = new QGridLayout(w.gbSim);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(0);
    w.pnSimCont = caption("pnSimCont", "Contents", w.gbSim);
    grid->addWidget(w.pnSimCont, 0, 0);
    w.etSim = new ListView(ListViewDesign::forName("etSim"), w.gbSim);
    w.etSim_Show = new ListView(ListViewDesign::forName("etSim_Show"), w.gbSim);
    w.etSimMessage = new ListView(ListViewDesign::forName("etSimMessage"), w.gbSim);
    w.etSimMessage_Show = new ListView(ListViewDesign::forName("etSimMessage_Show"), w.gbSim);
    // The shown views fill the box and cover the record views beneath them.
    for (ListView* v : {w.etSim, w.etSimMessage, w.etSim_Show, w.etSimMessage_Show}) grid->addWidget(v, 1, 0);
    grid->setRowStretch(1, 1);
    w.etSim_Show->raise();
    w.etSimMessage_Show->raise();
    w.etSimMessage->hide();
    w.etSimMessage_Show->hide();
    w.etSIM_CheckBox = headerCheck("etSIM_CheckBox");
    w.etSim_Show->setCornerCheckBox(w.etSIM_CheckBox);
    simColumn->addWidget(w.gbSim);
    column->addWidget(w.PanelSim, 1);
    w.pnClient_3->resize(kCardWidth, w.pnClient_3->height());
    return w.pnClient_3;
}

void FormLayout::buildStatusBar(QMainWindow* window, FormWidgets& w)
{
    w.Bar = window->statusBar();
    w.Bar->setObjectName("Bar");
    const char* names[3] = {"BarPanel0", "BarPanel1", "BarPanel2"};
    for (int i = 0; i < 3; ++i) {
        w.barPanel[i] = new QLabel(w.Bar);
        w.barPanel[i]->setObjectName(names[i]);
        w.barPanel[i]->setFrameShape(QFrame::Panel);
        w.barPanel[i]->setFrameShadow(QFrame::Sunken);
    }
    w.barPanel[0]->setFixedWidth(120);
    w.barPanel[0]->setAlignment(Qt::AlignCenter);
    w.barPanel[1]->setFixedWidth(50);
    w.Bar->addWidget(w.barPanel[0]);
    w.Bar->addWidget(w.barPanel[1]);
    w.Bar->addWidget(w.barPanel[2], 1);
}
