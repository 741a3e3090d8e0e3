#include "mainwindow/FormMenus.h"

#include "mainwindow/CatalogTree.h"
#include "mainwindow/FormWidgets.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

QMenu* FormMenus::menu(QMainWindow* window, const char* name, const char* title)
{
    QMenu* m = window->menuBar()->addMenu(QString::fromUtf8(title));
    m->setObjectName(name);
    m->menuAction()->setObjectName(QString(name) + "Action");
    return m;
}

QAction* FormMenus::item(QMenu* menu, const char* name, const char* text, bool visible)
{
    QAction* a = menu->addAction(QString::fromUtf8(text));
    a->setObjectName(name);
    a->setVisible(visible);
    return a;
}

void FormMenus::build(QMainWindow* window, FormWidgets& w)
{
    window->menuBar()->setObjectName("MainMenu1");

    w.mFile = menu(window, "mFile", "檔案(&F)");
    w.mfOpen = item(w.mFile, "mfOpen", "開啟PC檔案");
    w.mfSave = item(w.mFile, "mfSave", "儲存PC檔案");
    w.mfSaveAs = item(w.mFile, "mfSaveAs", "PC電話簿另存新檔");
    w.mfSIMSave = item(w.mFile, "mfSIMSave", "寫入SIM卡");
    w.mfNewFolder = item(w.mFile, "mfNewFolder", "新增分類");
    w.mfExport = item(w.mFile, "mfExport", "匯出", false);
    w.mfImport = item(w.mFile, "mfImport", "匯入", false);
    w.mfPrint = item(w.mFile, "mfPrint", "列印", false);
    w.mFile->addSeparator();
    w.mfQuit = item(w.mFile, "mfQuit", "結束程式");

    w.mEdit = menu(window, "mEdit", "編輯(&E)");
    w.meCut = item(w.mEdit, "meCut", "剪下");
    w.meCopy = item(w.mEdit, "meCopy", "複製");
    w.mePaste = item(w.mEdit, "mePaste", "貼上");
    w.meDelete = item(w.mEdit, "meDelete", "刪除");
    w.mEdit->addSeparator();
    w.meSelectAll = item(w.mEdit, "meSelectAll", "全選");
    w.meSelectNot = item(w.mEdit, "meSelectNot", "反向選擇");
    w.meCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    w.meCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    w.mePaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    w.meDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    w.meSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    w.mView = menu(window, "mView", "檢視(&V)");
    w.mvFont = item(w.mView, "mvFont", "字型設定");
    w.mvShowText = item(w.mView, "mvShowText", "顯示文字", false);
    w.mvShowIcon = item(w.mView, "mvShowIcon", "顯示圖示", false);
    w.mvLogotype = item(w.mView, "mvLogotype", "標誌", false);
    w.mvSetup = item(w.mView, "mvSetup", "設定", false);

    w.mSIM = menu(window, "mSIM", "&SIM 卡");
    w.msStart = item(w.mSIM, "msStart", "啟用 PIN 碼");
    w.msStop = item(w.mSIM, "msStop", "停用 PIN 碼");
    w.msModify = item(w.mSIM, "msModify", "變更 PIN 碼");
    w.msVerify = item(w.mSIM, "msVerify", "驗證 PIN 碼", false);
    w.msRefresh = item(w.mSIM, "msRefresh", "重讀 SIM 卡內容");
    w.msBackup = item(w.mSIM, "msBackup", "備份SIM]資料");
    w.msRefresh->setShortcut(QKeySequence(Qt::Key_F5));
    w.msBackup->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F12));

    w.mHelp = menu(window, "mHelp", "輔助說明(&H)");
    w.mhContent = item(w.mHelp, "mhContent", "內容", false);
    w.N4 = w.mHelp->addSeparator();
    w.N4->setObjectName("N4");
    w.N4->setVisible(false);
    w.mhAbout = item(w.mHelp, "mhAbout", "關於", false);

    w.PopTreeView = new QMenu(window);
    w.PopTreeView->setObjectName("PopTreeView");
    w.PopTreeView_Edit = item(w.PopTreeView, "PopTreeView_Edit", "Edit");
    w.PopTreeView_Edit->setShortcut(QKeySequence(Qt::Key_F2));
    // F2 works while a catalog tree has the focus, also without opening the popup.
    w.PopTreeView_Edit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    w.tvPhone->addAction(w.PopTreeView_Edit);
    w.tvMessage->addAction(w.PopTreeView_Edit);
}
