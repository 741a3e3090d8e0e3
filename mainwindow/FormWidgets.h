#pragma once

class CatalogTree;
class ListView;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QStatusBar;
class QToolButton;
class QWidget;
class TZProgerssDlg;

// Every control of the main window, by its component name (each widget's objectName is the
// same name). Filled once by FormLayout and FormMenus; owned by the window through Qt parents.
struct FormWidgets {
    // Top strip and toolbar.
    QWidget* pnTop = nullptr;
    QWidget* pnTop02 = nullptr;
    QWidget* pnTop02_1 = nullptr;
    QWidget* pnTop02_2 = nullptr;
    QWidget* pnTop02_3 = nullptr;
    QWidget* pnTop02_4 = nullptr;
    QToolButton* btnToSim = nullptr;
    QToolButton* btnToPC = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnCopy = nullptr;
    QToolButton* btnPaste = nullptr;
    QToolButton* btnCut = nullptr;
    QToolButton* btnDelete = nullptr;
    QToolButton* btnAdd = nullptr;
    QToolButton* btnRefresh = nullptr;
    QLabel* Image_Title = nullptr;
    QLabel* lbDate = nullptr;
    QLabel* pnTop02_4_1 = nullptr;
    QLabel* pnTop02_4_2 = nullptr;

    // Left column.
    QWidget* pnCilent_1 = nullptr;
    QToolButton* btnPhone = nullptr;
    QToolButton* btnMessage = nullptr;
    QToolButton* bnBackup = nullptr;
    QToolButton* btnExit = nullptr;

    // PC area.
    QSplitter* slClient_1 = nullptr;
    QWidget* pnClient_2 = nullptr;
    QLabel* pnClient_2_1 = nullptr;
    QPushButton* btnSelectAllPC = nullptr;
    QWidget* PanelPCPhone = nullptr;
    QWidget* pnPCPH01 = nullptr;
    QLabel* pnPCPH = nullptr;
    CatalogTree* tvPhone = nullptr;
    QSplitter* slPC = nullptr;
    QWidget* pnPCPH03 = nullptr;
    QLabel* pnPCPH03_1 = nullptr;
    ListView* etPhone = nullptr;
    QCheckBox* etPhone_Check = nullptr;
    QWidget* PanelPCMessage = nullptr;
    QWidget* pnPCM01 = nullptr;
    QLabel* pnPCM01_1 = nullptr;
    CatalogTree* tvMessage = nullptr;
    QSplitter* slPCMag = nullptr;
    QWidget* pnPCM03 = nullptr;
    QLabel* pnPCM03_1 = nullptr;
    ListView* etPCMessage = nullptr;
    QCheckBox* etPCMessage_Check = nullptr;

    // Transfer strip.
    QWidget* pnCilent_4 = nullptr;
    QToolButton* btnToSim_SmallBtn = nullptr;
    QToolButton* btnToPC_SmallBtn = nullptr;

    // Card area.
    QWidget* pnClient_3 = nullptr;
    QLabel* pnClient_3_1 = nullptr;
    QPushButton* btnSelectAllSIM = nullptr;
    QWidget* PanelSim = nullptr;
    QGroupBox* gbSim = nullptr;
    QLabel* pnSimCont = nullptr;
    ListView* etSim = nullptr;
    ListView* etSim_Show = nullptr;
    ListView* etSimMessage = nullptr;
    ListView* etSimMessage_Show = nullptr;
    QCheckBox* etSIM_CheckBox = nullptr;

    // Status bar: panel 0 (card state), 1 (never written), 2 (information line).
    QStatusBar* Bar = nullptr;
    QLabel* barPanel[3] = {nullptr, nullptr, nullptr};

    // Menus.
    QMenu* mFile = nullptr;
    QAction* mfOpen = nullptr;
    QAction* mfSave = nullptr;
    QAction* mfSaveAs = nullptr;
    QAction* mfSIMSave = nullptr;
    QAction* mfNewFolder = nullptr;
    QAction* mfExport = nullptr;
    QAction* mfImport = nullptr;
    QAction* mfPrint = nullptr;
    QAction* mfQuit = nullptr;
    QMenu* mEdit = nullptr;
    QAction* meCut = nullptr;
    QAction* meCopy = nullptr;
    QAction* mePaste = nullptr;
    QAction* meDelete = nullptr;
    QAction* meSelectAll = nullptr;
    QAction* meSelectNot = nullptr;
    QMenu* mView = nullptr;
    QAction* mvFont = nullptr;
    QAction* mvShowText = nullptr;
    QAction* mvShowIcon = nullptr;
    QAction* mvLogotype = nullptr;
    QAction* mvSetup = nullptr;
    QMenu* mSIM = nullptr;
    QAction* msStart = nullptr;
    QAction* msStop = nullptr;
    QAction* msModify = nullptr;
    QAction* msVerify = nullptr;
    QAction* msRefresh = nullptr;
    QAction* msBackup = nullptr;
    QMenu* mHelp = nullptr;
    QAction* mhContent = nullptr;
    QAction* N4 = nullptr;
    QAction* mhAbout = nullptr;
    QMenu* PopTreeView = nullptr;
    QAction* PopTreeView_Edit = nullptr;

    // The progress dialog, created once and kept hidden between card sequences.
    TZProgerssDlg* progressDlg = nullptr;

    // The six list views: etPhone, etPCMessage, etSim, etSim_Show, etSimMessage, etSimMessage_Show.
    ListView* listViews[6] = {};
};
