#pragma once

class TDrawGrid;

// Screen readers see a draw grid as a table whose cells carry the words the grid's describe-cell
// handler gives them, so that what a cell's colour says is never shown by colour alone.

// Makes Qt's accessibility find the grid's table interface; called once, by the first grid made.
void InstallDrawGridAccessibility();
// Tells an assistive technology that listens that the focused cell has moved.
void AnnounceFocusedCell(TDrawGrid &grid);
