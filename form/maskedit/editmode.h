#pragma once

// Insert or overwrite: one mode shared by every masked field of the application. Typing switches it
// to overwrite; the Insert key toggles it. Fields use application(); tests give each model its own.
class SharedEditMode
{
public:
    bool isOverwrite() const { return m_overwrite; }
    void setOverwrite(bool overwrite) { m_overwrite = overwrite; }
    void toggle() { m_overwrite = !m_overwrite; }

    static SharedEditMode &application();

private:
    bool m_overwrite = false;
};
