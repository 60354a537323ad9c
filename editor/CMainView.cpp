#include "editor/CMainView.h"

#include "document/CMainDoc.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const char* const kTabNames[] = {"Memories",       "Limit Memories", "One Touch Memories",
                                 "Hyper Memories", "Memory Groups",  "VFO's",
                                 "Home Channels"};
} // namespace

CMainView::CMainView(std::shared_ptr<CMainDoc> doc, QWidget* parent)
    : QWidget(parent), m_doc(std::move(doc)) {
    m_doc->AddView(this);
    m_stack = new QStackedWidget(this);
    m_tabs = new QTabBar(this);
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    for (const char* name : kTabNames) {
        m_tabs->addTab(QString::fromLatin1(name));
        m_stack->addWidget(new QLabel(QString::fromLatin1(name), m_stack));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, &CMainView::OnTabChanged);
}

CMainView::~CMainView() {
    m_doc->RemoveView(this);
}

void CMainView::RefreshGrids() {}

bool CMainView::CommitGrids(bool) {
    return true;
}

void CMainView::SetCurrentTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

void CMainView::OnTabChanged(int index) {
    CommitGrids(true);
    m_currentTab = index;
    m_doc->SetTab(index);
    m_stack->setCurrentIndex(index);
}

bool CMainView::OnCommand(int) {
    return false;
}
