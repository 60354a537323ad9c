#include "widgets/HelpWindow.h"

#include "widgets/Resources.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>

#include <algorithm>

namespace widgets::help {

namespace {
const QString kPagePrefix = QStringLiteral("qrc:/help/topic");
} // namespace

const QList<Topic>& Topics() {
    static const QList<Topic> topics = {
        {kChannelEditor, "The channel editor"},
        {kReadingTheRadio, "Reading the radio"},
        {kWritingTheRadio, "Writing the radio"},
        {kSettingsWindow, "Set-mode options"},
        {kColumnOptions, "Columns"},
    };
    return topics;
}

QUrl TopicUrl(int topic) {
    for (const Topic& t : Topics()) {
        if (t.id == topic)
            return QUrl(kPagePrefix + QString::number(topic) + QStringLiteral(".html"));
    }
    return {};
}

int TopicOf(const QUrl& url) {
    static const QRegularExpression page(QStringLiteral("topic(\\d+)\\.html$"));
    const QRegularExpressionMatch match = page.match(url.path());
    if (!match.hasMatch())
        return 0;
    const int topic = match.captured(1).toInt();
    return TopicUrl(topic).isEmpty() ? 0 : topic;
}

} // namespace widgets::help

namespace widgets {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_contents(new QListWidget), m_browser(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(widgets::res::kAppTitle) + QStringLiteral(" Help"));
    setAttribute(Qt::WA_QuitOnClose, false);

    for (const widgets::help::Topic& topic : widgets::help::Topics()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(topic.title), m_contents);
        item->setData(Qt::UserRole, topic.id);
    }
    const int listWidth = m_contents->sizeHintForColumn(0) + 2 * m_contents->frameWidth() + 16;
    m_contents->setMaximumWidth(listWidth);
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Show(item->data(Qt::UserRole).toInt()); });

    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::OnPageChanged);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({listWidth, 1000});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(720, 560);
}

QPushButton* HelpWindow::AddHelpButton(QDialogButtonBox* buttons) {
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    help->setText(QStringLiteral("&Help"));
    help->setIcon(QIcon());
    return help;
}

HelpWindow* HelpWindow::ShowTopic(int topic, QWidget* from) {
    QWidget* owner = from ? from->window() : nullptr;
    HelpWindow* window =
        owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(owner);
        if (owner) {
            // Over a main window; beside a dialog, so that the dialog stays
            // in sight. As far as the screen allows.
            const QRect ownerFrame = owner->frameGeometry();
            QRect place = window->frameGeometry();
            place.moveCenter(ownerFrame.center());
            const QScreen* screen = owner->screen();
            const QRect free = screen ? screen->availableGeometry() : QRect();
            if (qobject_cast<QDialog*>(owner)) {
                if (ownerFrame.right() + place.width() <= free.right() || free.isNull())
                    place.moveLeft(ownerFrame.right() + 1);
                else if (ownerFrame.left() - place.width() >= free.left())
                    place.moveRight(ownerFrame.left() - 1);
            }
            if (!free.isNull()) {
                place.moveRight(std::min(place.right(), free.right()));
                place.moveBottom(std::min(place.bottom(), free.bottom()));
                place.moveLeft(std::max(place.left(), free.left()));
                place.moveTop(std::max(place.top(), free.top()));
            }
            window->move(place.topLeft());
        } else {
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
    }
    window->Show(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void HelpWindow::Show(int topic) {
    QUrl url = widgets::help::TopicUrl(topic);
    if (url.isEmpty())
        url = widgets::help::TopicUrl(widgets::help::kChannelEditor);
    if (m_browser->source() == url)
        OnPageChanged(url);
    else
        m_browser->setSource(url);
}

int HelpWindow::CurrentTopic() const {
    return widgets::help::TopicOf(m_browser->source());
}

void HelpWindow::OnPageChanged(const QUrl& url) {
    const int topic = widgets::help::TopicOf(url);
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toInt() == topic)
            m_contents->setCurrentRow(i);
    }
    const QString title = m_browser->documentTitle();
    setWindowTitle(QString::fromLatin1(widgets::res::kAppTitle) + QStringLiteral(" Help") +
                   (title.isEmpty() ? QString() : QStringLiteral(" - ") + title));
}

} // namespace widgets
