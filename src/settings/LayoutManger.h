#pragma once

// The menu grid mode, "kLayoutType": 0 = 2 rows x 3, 1 = 2 rows x 4, 2 = 3 rows x 4.
class LayoutManger {
public:
    static LayoutManger &defaultManager();

    void restore();
    void save();

    int layout() const { return layout_; }
    void setLayout(int layout) { layout_ = layout; }

private:
    int layout_ = 0;
};
