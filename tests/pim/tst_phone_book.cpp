// The phone-book views driven as a user would: search as you type, new and delete through the buttons
// and keys, the card saving on leave and refusing a blank name, number rows, and the closed state.

#include "CContactInfo.h"
#include "CPhoneBookView.h"
#include "CPhoneList.h"
#include "CPimStore.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QString NewPimFile(const QString& name)
{
    const QString path = QDir(CTestEnvironment::NewFolder(name)).filePath(name + QStringLiteral(".pim"));
    QFile::copy(QDir(CTestEnvironment::ProgramFolder()).filePath(QStringLiteral("VelmoraPIM.vdf")), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

CPimContact Contact(const QString& name, const QString& company, const QString& number)
{
    CPimContact c;
    c.name = name;
    c.company = company;
    if (!number.isEmpty())
        c.numbers = {{CPimNumber::Mobile, number}};
    return c;
}

template <typename T> T* Find(QWidget* root, const char* name)
{
    return root->findChild<T*>(QLatin1String(name));
}

} // namespace

class TestPhoneBook : public QObject
{
    Q_OBJECT

    std::unique_ptr<CPhoneBookView> m_view;
    CPimContact m_dov, m_acme, m_shira;

    CPimStore* Store() const { return VelmoraPim::CurrentPimStore(); }
    QListWidget* List() const { return Find<QListWidget>(m_view.get(), "pimContactList"); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(m_view.get(), name); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(m_view.get(), name); }

    QStringList ShownNames() const
    {
        QStringList names;
        for (qint64 id : m_view->PhoneList()->ShownIds())
            names << Store()->ContactById(id)->name;
        return names;
    }

    void Select(qint64 id)
    {
        const int row = m_view->PhoneList()->ShownIds().indexOf(id);
        QVERIFY(row >= 0);
        List()->setCurrentRow(row);
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_view = std::make_unique<CPhoneBookView>();
        m_view->resize(800, 500);
        m_view->show();
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QVERIFY(OpenDatabase(NewPimFile(QStringLiteral("book"))) != 0);
        m_dov = Contact(QStringLiteral("Dov O'Hara"), QStringLiteral("Acme Radio"),
                        QStringLiteral("054-123 4567"));
        m_acme =
            Contact(QStringLiteral("Alice"), QStringLiteral("Northwind"), QStringLiteral("+1 (555) 0100"));
        m_shira =
            Contact(QStringLiteral("\u05e9\u05d9\u05e8\u05d4 \u05dc\u05d5\u05d9"), QString(), QString());
        for (CPimContact* c : {&m_dov, &m_acme, &m_shira})
            QVERIFY(!Store()->SaveContact(*c).IsError());
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        OpenDateBookRecordset();
    }

    void cleanup()
    {
        m_view.reset();
        CloseDatabase();
    }

    void closedBookShowsNothingAndOpeningFillsIt()
    {
        auto* stack = Find<QStackedWidget>(m_view.get(), nullptr);
        QVERIFY(stack);
        QCOMPARE(stack->currentIndex(), 1);
        QCOMPARE(List()->count(), 3);
        QCOMPARE(m_view->PhoneList()->CurrentId(), m_acme.id); // the first by name is shown
        QCOMPARE(Edit("pimName")->text(), m_acme.name);
        CloseDatabase();
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(List()->count(), 0);
        QVERIFY(!m_view->ContactInfo()->IsActive());
        QVERIFY(!Button("pimNewButton")->isEnabled());
        m_view->OnNewButton(); // nothing to add to
        QVERIFY(!m_view->ContactInfo()->IsActive());
        // A view made while the file is closed fills itself when the file opens.
        auto late = std::make_unique<CPhoneBookView>();
        QVERIFY(OpenDatabase(NewPimFile(QStringLiteral("late"))) != 0);
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        QCOMPARE(Find<QStackedWidget>(late.get(), nullptr)->currentIndex(), 1);
        QVERIFY(Find<QPushButton>(late.get(), "pimNewButton")->isEnabled());
    }

    void searchFiltersByNameCompanyAndNumber()
    {
        QLineEdit* search = Edit("pimSearch");
        QTest::keyClicks(search, QStringLiteral("acme"));
        QCOMPARE(ShownNames(), QStringList{m_dov.name});
        search->clear();
        QTest::keyClicks(search, QStringLiteral("0541234"));
        QCOMPARE(ShownNames(), QStringList{m_dov.name});
        search->setText(QStringLiteral("555-0100"));
        QCOMPARE(ShownNames(), QStringList{m_acme.name});
        search->setText(QStringLiteral("\u05dc\u05d5\u05d9"));
        QCOMPARE(ShownNames(), QStringList{m_shira.name});
        search->setText(QStringLiteral("o'h"));
        QCOMPARE(ShownNames(), QStringList{m_dov.name});
        QCOMPARE(Find<QLabel>(m_view.get(), "pimCount")->text(), QStringLiteral("1 of 3 contacts"));
        search->setText(QStringLiteral("nobody"));
        QVERIFY(ShownNames().isEmpty());
        QVERIFY(!Button("pimDeleteButton")->isEnabled());
        search->clear();
        QCOMPARE(ShownNames().size(), 3);
    }

    void newContactThroughTheCard()
    {
        QTest::mouseClick(Button("pimNewButton"), Qt::LeftButton);
        CContactInfo* card = m_view->ContactInfo();
        QVERIFY(card->IsEditingNew());
        QCOMPARE(m_view->PhoneList()->CurrentId(), 0);
        // Saving without a name is refused with its message and stores nothing.
        QTest::keyClicks(Edit("pimNumber0"), QStringLiteral("03-555-0199"));
        QTest::mouseClick(Button("pimSave"), Qt::LeftButton);
        QVERIFY(CScriptedAnswerer::Instance().Saw(PimMsg::ContactNameEmpty));
        QCOMPARE(Store()->Contacts().size(), 3);
        QTest::keyClicks(Edit("pimName"), QStringLiteral("Zeev \"Z\" Levi"));
        Find<QComboBox>(m_view.get(), "pimNumberKind0")->setCurrentIndex(CPimNumber::Work);
        QTest::mouseClick(Button("pimAddNumber"), Qt::LeftButton);
        QTest::keyClicks(Edit("pimNumber1"), QStringLiteral("050-1"));
        QTest::mouseClick(Button("pimAddNumber"), Qt::LeftButton);
        QTest::keyClicks(Edit("pimNumber2"), QStringLiteral("999"));
        QTest::mouseClick(Find<QToolButton>(m_view.get(), "pimRemoveNumber1"), Qt::LeftButton);
        QTest::keyClicks(Edit("pimEmail"), QStringLiteral("zeev@example.com"));
        Find<QPlainTextEdit>(m_view.get(), "pimNote")->setPlainText(QString(1000, QLatin1Char('x')));
        QTest::mouseClick(Button("pimSave"), Qt::LeftButton);

        const qint64 id = m_view->PhoneList()->CurrentId();
        QVERIFY(id != 0);
        const CPimContact stored = Store()->ContactById(id).value();
        QCOMPARE(stored.name, QStringLiteral("Zeev \"Z\" Levi"));
        QCOMPARE(stored.numbers, (QList<CPimNumber>{{CPimNumber::Work, QStringLiteral("03-555-0199")},
                                                    {CPimNumber::Mobile, QStringLiteral("999")}}));
        QCOMPARE(stored.email, QStringLiteral("zeev@example.com"));
        QCOMPARE(stored.note.size(), 1000);
        QVERIFY(!card->IsModified());
        QVERIFY(!Button("pimSave")->isEnabled());
    }

    void insertKeyStartsAContactAndSavedContactShowsThoughFiltered()
    {
        Edit("pimSearch")->setText(QStringLiteral("acme"));
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Insert);
        QVERIFY(m_view->ContactInfo()->IsEditingNew());
        QTest::keyClicks(Edit("pimName"), QStringLiteral("Bella"));
        QTest::keyClick(Edit("pimName"), Qt::Key_S, Qt::ControlModifier);
        // The search is cleared so the new contact is visible and selected.
        QCOMPARE(Edit("pimSearch")->text(), QString());
        QCOMPARE(Store()->ContactById(m_view->PhoneList()->CurrentId())->name, QStringLiteral("Bella"));
        QCOMPARE(List()->count(), 4);
    }

    void keysOfTheList()
    {
        Select(m_dov.id);
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Return);
        QVERIFY(Edit("pimName")->hasFocus());
        QCOMPARE(Edit("pimName")->selectedText(), m_dov.name);
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(m_view->ContactInfo()->IsEditingNew());
        QVERIFY(Edit("pimName")->hasFocus());
        // Down from the search field goes into the list.
        Edit("pimSearch")->setFocus();
        QTest::keyClick(Edit("pimSearch"), Qt::Key_Down);
        QVERIFY(List()->hasFocus());
        QVERIFY(m_view->PhoneList()->CurrentId() != 0);
    }

    void leavingTheCardSavesAndABlankNameKeepsIt()
    {
        Select(m_dov.id);
        Find<QPlainTextEdit>(m_view.get(), "pimNote")->setPlainText(QStringLiteral("Calls after 18:00"));
        Select(m_acme.id);
        QCOMPARE(Store()->ContactById(m_dov.id)->note, QStringLiteral("Calls after 18:00"));
        QCOMPARE(Edit("pimName")->text(), m_acme.name);

        Edit("pimName")->clear();
        Select(m_shira.id);
        QVERIFY(CScriptedAnswerer::Instance().Saw(PimMsg::ContactNameEmpty));
        QCOMPARE(m_view->PhoneList()->CurrentId(), m_acme.id);
        QVERIFY(m_view->ContactInfo()->IsModified());
        QCOMPARE(Store()->ContactById(m_acme.id)->name, m_acme.name);
        // Revert brings the stored contact back; then leaving works.
        QTest::mouseClick(Button("pimRevert"), Qt::LeftButton);
        QCOMPARE(Edit("pimName")->text(), m_acme.name);
        Select(m_shira.id);
        QCOMPARE(Edit("pimName")->text(), m_shira.name);
        // Starting a new contact also saves the one being edited.
        Edit("pimCompany")->setText(QStringLiteral("Depot"));
        QTest::mouseClick(Button("pimNewButton"), Qt::LeftButton);
        QCOMPARE(Store()->ContactById(m_shira.id)->company, QStringLiteral("Depot"));
        // And an untouched new card is dropped without a word when another contact is chosen.
        const int messages = CScriptedAnswerer::Instance().Count();
        Select(m_dov.id);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), messages);
        QCOMPARE(Store()->Contacts().size(), 3);
    }

    void closingTheFileKeepsTheCardsEdits()
    {
        const QString path = Store()->Path();
        Select(m_dov.id);
        Edit("pimEmail")->setText(QStringLiteral("dov@example.com"));
        ClosePhoneBookRecordset();
        CloseDateBookRecordset();
        CloseDatabase();
        QVERIFY(!m_view->ContactInfo()->IsActive());
        QVERIFY(OpenDatabase(path) != 0);
        QCOMPARE(Store()->ContactById(m_dov.id)->email, QStringLiteral("dov@example.com"));
        // And so does closing the view itself.
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        Select(m_acme.id);
        Edit("pimCompany")->setText(QStringLiteral("Southwind"));
        m_view.reset();
        QCOMPARE(Store()->ContactById(m_acme.id)->company, QStringLiteral("Southwind"));
    }

    void deleteAsksFirst()
    {
        Select(m_dov.id);
        CScriptedAnswerer::Instance().Script({IDNO});
        QTest::mouseClick(Button("pimDeleteButton"), Qt::LeftButton);
        const CVelmoraMessage asked = CScriptedAnswerer::Instance().Messages().last();
        QCOMPARE(asked.id, int(PimMsg::ConfirmDeleteContact));
        QVERIFY(asked.text.contains(m_dov.name));
        QCOMPARE(Store()->Contacts().size(), 3);

        CScriptedAnswerer::Instance().Script({IDYES});
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Delete);
        QCOMPARE(Store()->Contacts().size(), 2);
        QVERIFY(!Store()->ContactById(m_dov.id));
        // The next contact is shown on the card, not the deleted one.
        QVERIFY(m_view->PhoneList()->CurrentId() != 0);
        QCOMPARE(m_view->ContactInfo()->ContactId(), m_view->PhoneList()->CurrentId());
    }

    void numbersAndEmailStayLeftToRightInHebrew()
    {
        QApplication::setLayoutDirection(Qt::RightToLeft);
        auto view = std::make_unique<CPhoneBookView>();
        QCOMPARE(view->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(Find<QLineEdit>(view.get(), "pimName")->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(Find<QLineEdit>(view.get(), "pimEmail")->layoutDirection(), Qt::LeftToRight);
        QCOMPARE(Find<QLineEdit>(view.get(), "pimNumber0")->layoutDirection(), Qt::LeftToRight);
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void matchesIgnoresNumberPunctuation()
    {
        const CPimContact c =
            Contact(QStringLiteral("Ron"), QStringLiteral("Tel"), QStringLiteral("+972 (3) 555-01"));
        QVERIFY(CPhoneList::Matches(c, QStringLiteral("97235550")));
        QVERIFY(CPhoneList::Matches(c, QStringLiteral("  RON ")));
        QVERIFY(CPhoneList::Matches(c, QString()));
        QVERIFY(!CPhoneList::Matches(c, QStringLiteral("9723556")));
        QVERIFY(!CPhoneList::Matches(c, QStringLiteral("x")));
    }
};

VELMORA_TEST_MAIN(TestPhoneBook)
#include "tst_phone_book.moc"
