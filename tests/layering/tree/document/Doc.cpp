#include "cli/Tool.h"
#include <QString>
#include <QtWidgets/QTableView>
