#pragma once
// The axis labels of a painted curve window: none meets another, each lies
// inside the window, and y labels keep clear of the title column.
#include "ui/ecam_curve_wnd.h"

#include <gtest/gtest.h>
#include <string>

inline void ExpectLabelsApartAndInside(const CECamCurveWnd* wnd, const std::string& what = {})
{
    const auto& labels = wnd->LabelRects();
    ASSERT_FALSE(labels.empty()) << what;
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::string text = what + " " + labels[i].text.toStdString();
        EXPECT_TRUE(wnd->rect().contains(labels[i].rect)) << text;
        if (labels[i].yAxis) {
            EXPECT_GE(labels[i].rect.left(), CECamCurveWnd::kYLabelLeft) << text;
        }
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect)) << text << " / " << labels[j].text.toStdString();
    }
}
