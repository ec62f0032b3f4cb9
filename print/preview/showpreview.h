#pragma once

class PageDrawer;
class QWidget;

// Shows the prepared pages in the modal, maximized preview window and returns when the user closed it.
void ShowPreview(const PageDrawer &pages, QWidget *parent);
