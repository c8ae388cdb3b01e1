#pragma once

#include <QString>

// Who may book and who may see a restricted resource: the resources kept for the logged-on user,
// and the rules that every window and the resources filter of the data module apply.

// Fills the data module's AllowedResources with the restricted resources listed for the user.
void LoadAllowedResources(const QString &userID);
// True when the logged-on user may book the resource although it is restricted.
bool MayUseRestricted(int resourceID);
// True when the resource is not restricted or the logged-on user may book it anyway.
bool CanScheduleResource(int resourceID);
// True when the logged-on user is shown the resource.
bool IsResourceVisible(bool restricted, bool allowViewing, int resourceID);
