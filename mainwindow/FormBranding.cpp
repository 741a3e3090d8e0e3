#include "mainwindow/FormBranding.h"

#include "mainwindow/FormWidgets.h"
#include "shell/app/QtText.h"
#include "store/IniFile.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>

void FormBranding::applyCompany(QMainWindow* window, FormWidgets& w, const std::string& dir)
{
    IniFile ini(dir + "Company.ini");
    ini.setAutoSave(false);
    const QString company = toQ(ini.readString("Str", "Company", kDefaultCompany)).trimmed();
    const QString title = toQ(ini.readString("Str", "TitleString", "")).trimmed();
    if (!company.isEmpty()) w.pnTop02_4_2->setText(w.pnTop02_4_2->text() + "  " + company);
    if (!title.isEmpty()) window->setWindowTitle(title);
}

void FormBranding::loadLogo(FormWidgets& w, const std::string& dir)
{
    const QString path = QString::fromStdString(dir + "Logo.bmp");
    if (!QFileInfo::exists(path)) return;
    QPixmap logo(path);
    if (!logo.isNull()) w.Image_Title->setPixmap(logo);
}

void FormBranding::showHelpItem(FormWidgets& w, const std::string& helpFile)
{
    const bool exists = !helpFile.empty() && QFileInfo(QString::fromStdString(helpFile)).isFile();
    w.mhContent->setVisible(exists);
    w.N4->setVisible(exists);
}
