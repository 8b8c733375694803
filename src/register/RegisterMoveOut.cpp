// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's photographs, move-out file, cover picture and
// database wipe. The work is done by the operation classes; the window
// passes its buttons' presses on and shows what follows: the page, the cover
// panel and the colour state. Errors of the operations are not caught here:
// they reach the application's error handler.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "register/CoverPicture.h"
#include "register/DatabaseWipe.h"
#include "register/MoveOutOperations.h"
#include "register/PhotoOperations.h"

#include "ui/bound/DBImage.h"

#include <QLabel>
#include <QToolButton>

namespace zelvar {

// ------------------------------------------------------------ photographs

void TForm2::loadPhoto()
{
    // The picture box is bound to the photograph table and shows the stored
    // picture by itself.
    m_photoOperations->load();
}

void TForm2::deletePhoto()
{
    m_photoOperations->remove();
}

void TForm2::showPhoto()
{
    m_ui.photo->show();
    m_ui.photoShow->setChecked(true);
}

void TForm2::hidePhoto()
{
    m_ui.photo->hide();
    m_ui.photoHide->setChecked(true);
}

// ---------------------------------------------------------- move-out file

void TForm2::apply(const MoveOutFollowUp& next)
{
    if (next.showMoveOutPage)
        showPage(MoveOutPage);
    if (next.coverVisible)
        setCoverVisible(*next.coverVisible);
    if (next.paintByFlag)
        paintByFlag();
}

void TForm2::addToMoveOutFile()
{
    apply(MoveOutOperations(m_dm, m_services).addCurrentResident());
}

void TForm2::onMoveOutSearchChanged(const QString& text)
{
    MoveOutOperations(m_dm, m_services).searchList(text);
}

void TForm2::onMoveOutListClicked()
{
    // Paints by flag whatever the surname filter: the list is not filtered.
    apply(MoveOutOperations(m_dm, m_services).followListToRegister());
}

void TForm2::followRegisterToMoveOutFile()
{
    apply(MoveOutOperations(m_dm, m_services).followRegisterToList());
}

void TForm2::onMoveOutDatePicked(const QDate& date)
{
    MoveOutOperations(m_dm, m_services).setMoveOutDate(date);
}

// ---------------------------------------------------------- cover picture

void TForm2::setCoverVisible(bool visible)
{
    m_ui.cover->setVisible(visible);
}

bool TForm2::isCoverVisible() const
{
    return !m_ui.cover->isHidden();
}

void TForm2::setCoverPicture(const QImage& picture)
{
    // Stretched to the panel once here: a label scaling its contents keeps
    // the picture three times over (as given, as an image, as drawn).
    m_ui.cover->setPixmap(QPixmap::fromImage(
        picture.scaled(m_ui.cover->contentsRect().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TForm2::onTabChangedByUser()
{
    if (m_coverPicture->pageChanged())
        setCoverPicture(m_coverPicture->picture());
}

// ----------------------------------------------------------- database wipe

void TForm2::wipeDatabase()
{
    // The colour state, the filter and the page stay; the reopened register
    // is shown by the bound controls, the count is brought up to date now.
    DatabaseWipe(m_dm, m_services).run();
    updateRecordCount();
}

} // namespace zelvar
