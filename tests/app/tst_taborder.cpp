// Tab moves through every window in the order the controls are read on screen: top to bottom,
// left to right within a row, the controls of one group or panel together, the buttons last.

#include "admin/AdmSettings.h"
#include "admin/DeleteOldFrm.h"
#include "admin/InformationFrm.h"
#include "admin/LoggedInUsersFrm.h"
#include "admin/ResourceFrm.h"
#include "admin/SecurityFrm.h"
#include "admin/SystemSettingsFrm.h"
#include "admin/TypesFrm.h"
#include "admin/UserSettingsForm.h"
#include "app/AboutFrm.h"
#include "app/LogonFrm.h"
#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"
#include "reports/PrintResourceFrm.h"
#include "reports/PrintScheduleDateRangeFrm.h"
#include "reports/ReportPreviewFrm.h"
#include "reports/ResourceByTypeDetailFrm.h"
#include "reports/ResourceByTypeRangeFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"
#include "views/DisplayAllSchedulesFrm.h"
#include "views/DisplayScheduleFrm.h"
#include "views/FindAvailableResourceFrm.h"
#include "views/SchedulesByTypeFrm.h"
#include "views/SearchResultsFrm.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

namespace {

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

template <class Window>
WindowFactory plain()
{
    return [] { return std::make_unique<Window>(); };
}

template <class Window>
WindowFactory owned()
{
    return [] { return std::make_unique<Window>(nullptr); };
}

// A preview of three pages, standing on the middle one so that Previous, Next and Close all work.
std::unique_ptr<QWidget> previewOnMiddlePage()
{
    auto preview = std::make_unique<TReportPreviewForm>(nullptr);
    ModalScript leftOpen([](QDialog &) { return int(QDialog::Accepted); });
    ReportPreviewForm = preview.get();
    preview->BeginReport(rtPreview, false);
    preview->NewPage();
    preview->NewPage();
    preview->EndReport();
    ReportPreviewForm = nullptr;
    preview->show();
    preview->NextBtnClick();
    return preview;
}

const QList<QPair<const char *, WindowFactory>> &windows()
{
    static const QList<QPair<const char *, WindowFactory>> all = {
        {"logon", plain<TLogonForm>()},
        {"about", plain<TAboutBox>()},
        {"schedules by type", owned<TSchedulesByTypeForm>()},
        {"resource detail", [] { return std::make_unique<TDisplaySchedulesForm>(nullptr, true); }},
        {"range of dates view", [] { return std::make_unique<TDisplaySchedulesForm>(nullptr, false); }},
        {"find available resource", plain<TFindAvailableResourceForm>()},
        {"search results", plain<TSearchResultsForm>()},
        {"all schedules", plain<TDisplayAllSchedulesForm>()},
        {"booking", plain<TScheduleForm>()},
        {"booking range", plain<TScheduleRangeForm>()},
        {"resource information", plain<TResourceInformationForm>()},
        {"system settings", plain<TSystemSettingsForm>()},
        {"security", plain<TSecurityForm>()},
        {"own settings", plain<TUserForm>()},
        {"user setup", plain<TSetupUsersForm>()},
        {"logged-in users", plain<TLoggedInUsersForm>()},
        {"information", plain<TInformationForm>()},
        {"types", plain<TTypesForm>()},
        {"resources", plain<TResourceForm>()},
        {"delete old bookings", plain<TDeleteOldForm>()},
        {"print resource", owned<TPrintResourceForm>()},
        {"print date range", owned<TPrintScheduleDateRangeForm>()},
        {"print type detail", owned<TResourceByTypeDetailForm>()},
        {"print type range", owned<TResourceByTypeRangeForm>()},
        {"report preview", previewOnMiddlePage},
        {"help", owned<THelpForm>()},
    };
    return all;
}

// Controls that stand in for another through a focus proxy count as that one control, the way a
// page strip is its tab widget and an edit box is its spin box.
QWidget *controlOf(QWidget *focusTaker, const QWidget *window)
{
    QWidget *control = focusTaker;
    for (QWidget *above = focusTaker->parentWidget(); above && above != window; above = above->parentWidget()) {
        QWidget *proxy = above->focusProxy();
        while (proxy && proxy != focusTaker)
            proxy = proxy->focusProxy();
        if (proxy)
            control = above;
    }
    return control;
}

// The controls Tab stops at, in the order it reaches them from the one the open window has put
// the focus on; Tab goes round, so where the window opens matters as much as the chain.
QWidgetList tabStops(QWidget *window)
{
    QWidgetList stops;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        const bool takesTab = (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
        if (!takesTab || w->window() != window || !w->isVisible() || !w->isEnabled())
            continue;
        QWidget *control = controlOf(w, window);
        if (!stops.contains(control))
            stops << control;
    }
    QWidget *focused = QApplication::focusWidget();
    const qsizetype opensOn = focused ? stops.indexOf(controlOf(focused, window)) : -1;
    if (opensOn > 0)
        std::rotate(stops.begin(), stops.begin() + opensOn, stops.end());
    return stops;
}

// The widget directly inside container that holds w (or is w).
QWidget *childHolding(QWidget *w, const QWidget *container)
{
    while (w->parentWidget() != container)
        w = w->parentWidget();
    return w;
}

// Controls that do not lie wholly one above the other share a row and are read left to right;
// the slack lets the controls of one row differ a little in height and position.
constexpr int Slack = 4;

bool entirelyAbove(const QRect &a, const QRect &b)
{
    return a.bottom() < b.top() + Slack;
}

// Whether a comes before b on screen. Controls are compared as the widgets that hold them
// inside their nearest common container, so a group is read as one piece; a container comes
// before what it holds, as a page strip comes before its page.
bool readBefore(QWidget *a, QWidget *b)
{
    if (a->isAncestorOf(b))
        return true;
    if (b->isAncestorOf(a))
        return false;
    QWidget *common = a->parentWidget();
    while (!common->isAncestorOf(b))
        common = common->parentWidget();
    const QRect first = childHolding(a, common)->geometry();
    const QRect second = childHolding(b, common)->geometry();
    if (entirelyAbove(first, second))
        return true;
    if (entirelyAbove(second, first))
        return false;
    return first.right() < second.left() + Slack;
}

QString describe(const QWidget *control)
{
    return control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                            : control->objectName();
}

QString describe(const QWidgetList &controls)
{
    QStringList names;
    for (const QWidget *control : controls)
        names << describe(control);
    return names.join(QLatin1String(", "));
}

// Empty when Tab follows the screen, else the first two controls it takes the wrong way round.
QString firstMisorderedPair(QWidget *window)
{
    const QWidgetList stops = tabStops(window);
    for (qsizetype later = 1; later < stops.size(); ++later)
        for (qsizetype earlier = 0; earlier < later; ++earlier)
            if (readBefore(stops[later], stops[earlier]))
                return QStringLiteral("Tab reaches %1 before %2, which comes first on screen (stops: %3)")
                    .arg(describe(stops[earlier]), describe(stops[later]), describe(stops));
    return {};
}

// The window as it opens, then with each other page of its tab widgets shown in turn: the
// controls of a page not shown are no stops.
QStringList misorderedPairsOnEveryPage(QWidget &window)
{
    QStringList faults;
    auto check = [&](const QString &shown) {
        const QString fault = firstMisorderedPair(&window);
        if (!fault.isEmpty())
            faults << shown + fault;
    };
    check(QString());
    for (QTabWidget *pages : window.findChildren<QTabWidget *>()) {
        const int opened = pages->currentIndex();
        for (int page = 0; page < pages->count(); ++page) {
            if (page == opened)
                continue;
            pages->setCurrentIndex(page);
            check(QStringLiteral("page %1: ").arg(pages->tabText(page)));
        }
    }
    return faults;
}

} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

private slots:
    void followsTheScreen_data()
    {
        QTest::addColumn<int>("window");
        for (int n = 0; n < windows().size(); ++n)
            QTest::newRow(windows()[n].first) << n;
    }

    // Logged on as the supervisor with the help file present, so that every control is there.
    void followsTheScreen()
    {
        QFETCH(int, window);
        TestSite site(true);
        LoadSystemSettings();
        CurrentUser = TLoginData();
        CurrentUser.UserID = QStringLiteral("Supervisor");
        LookupUser(CurrentUser.UserID, CurrentUser);
        LoadSecurityProfile(CurrentUser.SecurityID);
        HelpFilePresent = true;

        const std::unique_ptr<QWidget> shown = windows()[window].second();
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        QVERIFY2(!tabStops(shown.get()).isEmpty(), "the window has nothing to tab to");
        const QStringList faults = misorderedPairsOnEveryPage(*shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));
    }
};

QTEST_MAIN(TestTabOrder)
#include "tst_taborder.moc"
