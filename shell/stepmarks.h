// The explorer's change marks for the changes of a step as the changes window lists them:
// one mark a planet, of the kind that matters most, in the colour of the race that owns it
// after the step.
#pragma once

#include "changelistmodel.h"
#include "changemark.h"

#include <span>
#include <vector>

// The mark a change gets. A change of hands reads as a capture or a loss from `race`'s
// side (a new owner without one); with several kinds the first of: change of hands,
// starbase built, starbase lost, first seen, population up, population down. A kind
// filter other than Any shows what it asks for. Empty for a change that has none of them.
std::optional<ChangeMarkKind> markKindFor(const ReportStep::PlanetChange &change,
                                          const QString &race = {},
                                          KindFilter filter = KindFilter::Any);

// The marks of `rows`, in their order; a filled mark takes the colour of the race that owns
// the planet after the step, white when no race of that name is left.
std::vector<ChangeMark> stepMarks(const Globals &globals, std::span<const ListedChange> rows,
                                  const QString &race = {}, KindFilter filter = KindFilter::Any);
