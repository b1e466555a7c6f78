#pragma once

#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

// The program's information window: what is running, on which database and for whom.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(const std::vector<std::pair<QString, QString>>& linhas, QWidget* pai = nullptr);
};
