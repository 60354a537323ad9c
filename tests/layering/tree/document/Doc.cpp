#include "cli/Tool.h"
#include <QString>
#include <QtWidgets/QTableView>
#include <qwidget.h>
#include <QWidget>
