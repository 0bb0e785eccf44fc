#include "CUnitsColumns.h"

#include "CFleetSchema.h"
#include "CGridListType.h"
#include "CVelmoraWrap.h"
#include "UnitsMessageIds.h"

namespace {

CGridCellStyle Hidden()
{
    CGridCellStyle s;
    s.control = CGridCellStyle::StaticText;
    s.hidden = true;
    return s;
}

CGridCellStyle Edit(const QColor& interior, int caption, int maxLength, const QString& chars = QString())
{
    CGridCellStyle s;
    s.control = CGridCellStyle::RangeEdit;
    s.interior = interior;
    s.captionId = caption;
    s.maxLength = maxLength;
    s.validChars = chars;
    return s;
}

} // namespace

QString CUnitsColumns::CallListLanguages()
{
    return QStringLiteral("English\t0\nFrench\t1\nKorean\t2\nHebrew\t3\n");
}

const QStringList& CUnitsColumns::FieldNames()
{
    static const QStringList names = [] {
        const CFleetTable* table = CFleetSchema::Find(QStringLiteral("unit_details"));
        return table ? table->ColumnNames() : QStringList();
    }();
    return names;
}

QString CUnitsColumns::FieldName(int col)
{
    return FieldNames().value(col - 1);
}

bool CUnitsColumns::IsTextColumn(int col)
{
    const CFleetTable* table = CFleetSchema::Find(QStringLiteral("unit_details"));
    if (!table || col < 1 || col > int(table->columns.size()))
        return false;
    return table->columns[size_t(col - 1)].type == CFleetType::Text;
}

QString CUnitsColumns::InitialValue(int col)
{
    if (col == ModelType)
        return QStringLiteral("-1");
    // Numbers start at 0, as a new record's numeric fields do.
    return IsTextColumn(col) ? QString() : QStringLiteral("0");
}

bool CUnitsColumns::HiddenAtStart(int col)
{
    return Style(col).hidden;
}

CGridCellStyle CUnitsColumns::Style(int col)
{
    const QColor cream = CGridListType::Cream();
    const QColor green = CGridListType::Green();
    CGridCellStyle s;
    switch (col) {
    case UserName:
        s = Edit(cream, UnitsMsg::CaptionUserName, 11);
        s.rtlReading = true; // names may be Hebrew
        break;
    case Imei:
        s = Edit(green, UnitsMsg::CaptionImei, 15, QStringLiteral("0-9"));
        s.widthMm = 34; // room for all fifteen digits
        break;
    case ModelType:
        s.control = CGridCellStyle::TabbedCombo;
        s.choiceSource = CGridCellStyle::ModelChoices;
        s.interior = cream;
        s.captionId = UnitsMsg::CaptionModel;
        s.centred = true;
        break;
    case PhoneNam1:
        s = Edit(green, UnitsMsg::CaptionPhoneNumber, 20, QStringLiteral("0-9,#,*"));
        s.dialString = true;
        break;
    case DisplayPrivateId:
        s = Edit(cream, UnitsMsg::CaptionPrivateId, 20, QStringLiteral("0-9,*"));
        s.secondFont = true;
        s.widthMm = 30; // a full urban*fleet*member identity
        break;
    case CrossFleet:
        s.control = CGridCellStyle::CheckBox;
        s.interior = green;
        s.captionId = UnitsMsg::CaptionCrossFleet;
        s.centred = true;
        break;
    case TarnOnline:
        s = Edit(QColor(), UnitsMsg::CaptionOnline, 0);
        s.hidden = true;
        break;
    case FaxNum:
        s = Edit(cream, UnitsMsg::CaptionFaxNumber, 20, QStringLiteral("0-9,#,*"));
        s.dialString = true;
        break;
    case IpAddress:
        s = Edit(green, UnitsMsg::CaptionIp, 15, QStringLiteral("0-9,."));
        break;
    case DefCallListLang:
        s.control = CGridCellStyle::TabbedCombo;
        s.choiceSource = CGridCellStyle::OwnChoices;
        s.choiceList = CallListLanguages();
        s.interior = cream;
        s.captionId = UnitsMsg::CaptionCallListLanguage;
        s.centred = true;
        s.hidden = true;
        break;
    default:
        return Hidden();
    }
    s.initialValue = InitialValue(col);
    return s;
}

QString CUnitsColumns::Caption(int col, const QString& faxLabel)
{
    const int id = Style(col).captionId;
    if (id == 0)
        return QString();
    const QString text = CVelmoraWrap::LoadString(id);
    return col == FaxNum ? text.arg(faxLabel) : text;
}
