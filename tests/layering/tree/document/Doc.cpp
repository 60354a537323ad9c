#include "cli/Tool.h"
#include <QString>
#include <QWidget>
#include <QtWidgets/QTableView>
#include <qwidget.h>
