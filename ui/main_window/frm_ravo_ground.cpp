// File > Load Ground, and the ground that comes with a loaded LandXML profile.
#include <QFileInfo>

#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/ground/ground_read.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

FileDialogRequest GroundFileDialog()
{
    return {FileDialogKind::Open,
            QStringLiteral("All Files (*.*)|*.*|Ground Tables (*.csv)|*.csv|Text Files "
                           "(*.txt)|*.txt|LandXML Files (*.xml)|*.xml"),
            1};
}

// How a ground line reads in the list to choose from.
QString LineText(const GroundLine& line)
{
    QString text = line.name.empty() ? QStringLiteral("(no name)") : Text(line.name);
    if (!line.state.empty())
        text += QStringLiteral(" (") + Text(line.state) + QStringLiteral(")");
    return text + QStringLiteral(", %1 points").arg(line.points.size());
}

GroundProfile GroundOfLine(const GroundLine& line)
{
    if (line.points.empty())
        throw InputFileError("the ground line \"" + line.name + "\" holds no points");
    return GroundProfile(line.points);
}

}  // namespace

// The ground is read whole before it replaces the one there is, so a file
// that cannot be read keeps the current ground; the message says why.
void frmRavo::mnuGround_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(this, GroundFileDialog());
    if (!choice)
        return;
    std::optional<GroundProfile> ground;
    try {
        ground = ReadChosenGround(choice->fullPath);
    } catch (const InputFileError& e) {
        platform_.ShowMessage(
            this, Message{.text = QStringLiteral("Error loading ground file ") + choice->fileName +
                                  QStringLiteral(":\n\n") + Text(e.what()) +
                                  QStringLiteral("\n\nThe ground stays as it was."),
                          .icon = MessageIcon::Warning});
        return;
    }
    if (!ground)
        return;
    const std::vector<std::string> notes = ground->Notes();
    SetGround(std::move(*ground));
    ShowNotes(notes);
}

// A table, or the ground lines of a LandXML file: with several, the user
// picks one; a cancelled choice loads nothing.
std::optional<GroundProfile> frmRavo::ReadChosenGround(const QString& path)
{
    GroundSource source = ReadGroundSource(path.toStdString());
    if (source.table)
        return std::move(*source.table);
    const std::vector<GroundLine>& lines = source.lines;
    if (lines.size() <= 1)
        return GroundFromLines(lines, "");
    QStringList items;
    for (const GroundLine& line : lines)
        items << LineText(line);
    const std::optional<int> chosen = platform_.ChooseItem(
        this, QStringLiteral("Load Ground"),
        QStringLiteral("The file holds several ground lines. Load which one?"), items);
    if (!chosen || *chosen < 0 || *chosen >= items.size())
        return std::nullopt;
    return GroundOfLine(lines[static_cast<std::size_t>(*chosen)]);
}

// The line whose state is "existing", else the first; a profile without
// ground lines keeps the ground there is, and so does one whose line cannot
// be used, with a note saying why.
void frmRavo::TakeProfileGround(const std::vector<GroundLine>& lines,
                                std::vector<std::string>& notes)
{
    if (lines.empty())
        return;
    const GroundLine* chosen = &lines.front();
    for (const GroundLine& line : lines)
        if (QString::fromStdString(line.state)
                .compare(QStringLiteral("existing"), Qt::CaseInsensitive) == 0) {
            chosen = &line;
            break;
        }
    try {
        GroundProfile ground = GroundOfLine(*chosen);
        notes.insert(notes.end(), ground.Notes().begin(), ground.Notes().end());
        SetGround(std::move(ground));
    } catch (const std::exception& e) {
        notes.push_back(std::string("The ground was not loaded: ") + e.what());
    }
}

void frmRavo::SetGround(GroundProfile ground)
{
    ground_ = std::make_shared<const GroundProfile>(std::move(ground));
    if (profile_ != nullptr)
        profile_->SetGround(ground_);
    HandGroundToFit();
}

}  // namespace ravo
