#pragma once

// Reading and validating what the user gives the wheel library: the chosen numbers (lists and
// ranges), the guarantee, the keys and single tickets. Every message is for the user as it is;
// an empty message means the input is valid.

#include "wheels/WheelTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace Wheels {

QString validateRequest(const WheelRequest& request);
// Throws WheelError with validateRequest's message.
void requireValidRequest(const WheelRequest& request);

// "1-20", "3,7,11-15", blanks and semicolons also separate; numbers from 1 to `highest` (N).
// The result is ascending.
QString parseNumberList(QStringView text, std::vector<int>* numbers,
                        int highest = Lottery::Game().n());
// "3/6" (also "3 из 6" and "3:6").
QString parseGuarantee(QStringView text, Guarantee* guarantee);
// K distinct balls 1..N of the game's main drum (`line` names the ticket in the message when
// positive).
QString validateTicket(const std::vector<int>& balls, int line,
                       const Lottery::Game& game = Lottery::Game());

} // namespace Wheels
