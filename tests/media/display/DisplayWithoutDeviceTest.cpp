#include <gtest/gtest.h>

#include <functional>

#include "media/display/TDx3dDisplayHandler.h"
#include "media/texture/TTexture.h"
#include "tests/media/display/DisplayRig.h"
#include "tests/support/TextureHandle.h"

namespace {

// An operation of the display, and what it answered: true for a result
// other than what a display without a device gives.
struct Operation {
  const char* name;
  std::function<bool(TDx3dDisplayHandler&)> call;
};

class DisplayWithoutDeviceTest : public DisplayRig, public testing::WithParamInterface<Operation> {};

TEST_P(DisplayWithoutDeviceTest, DoesNothingAndAnswersFalse) {
  TDx3dDisplayHandler display(adapter);
  platform.displayHandler = &display;
  EXPECT_FALSE(GetParam().call(display));
  EXPECT_EQ(native->framesShown, 0) << "nothing is shown";
  EXPECT_FALSE(display.GetData().mDevice);
  EXPECT_TRUE(display.GetData().mRenderTargets.empty());
}

template <class Call>
Operation Void(const char* name, Call call) {
  return {name, [call](TDx3dDisplayHandler& display) {
            call(display);
            return false;
          }};
}

INSTANTIATE_TEST_SUITE_P(
    EveryOperation, DisplayWithoutDeviceTest,
    testing::Values(
        Operation{"IntersectTriangle",
                  [](TDx3dDisplayHandler& d) {
                    float distance = 0;
                    TVec3 point;
                    return d.IntersectTriangle(Vec(0, 0, -1), Vec(0, 0, 1), Vec(-1, -1, 0), Vec(0, 1, 0),
                                               Vec(1, -1, 0), distance, point);
                  }},
        Void("SetTexture", [](TDx3dDisplayHandler& d) { d.SetTexture(nullptr); }),
        Void("SetMaterial", [](TDx3dDisplayHandler& d) { d.SetMaterial(TMaterial{}); }),
        Void("SetLight", [](TDx3dDisplayHandler& d) {
          TLight light;
          d.SetLight(0, &light);
          d.SetLight(0, nullptr);
        }),
        Operation{"GetDeviceName",
                  [](TDx3dDisplayHandler& d) {
                    TString name;
                    return !d.GetDeviceName(name).IsEmpty();
                  }},
        Operation{"Begin2d", [](TDx3dDisplayHandler& d) { return d.Begin2d(); }},
        Void("End2d", [](TDx3dDisplayHandler& d) { d.End2d(); }),
        Operation{"Begin3d", [](TDx3dDisplayHandler& d) { return d.Begin3d(); }},
        Void("End3d", [](TDx3dDisplayHandler& d) { d.End3d(); }),
        Operation{"GetDisplaySize",
                  [](TDx3dDisplayHandler& d) {
                    int32_t width = -1, height = -1;
                    bool fullScreen = true;
                    d.GetDisplaySize(width, height, fullScreen);
                    return width != 0 || height != 0 || fullScreen;
                  }},
        Operation{"IsFullScreen", [](TDx3dDisplayHandler& d) { return d.IsFullScreen(); }},
        Operation{"BeginDraw", [](TDx3dDisplayHandler& d) { return d.BeginDraw(true); }},
        Void("EndDraw", [](TDx3dDisplayHandler& d) { d.EndDraw(true); }),
        Operation{"PresentRect",
                  [](TDx3dDisplayHandler& d) { return d.PresentRect(TRect(0, 0, 8, 8), TRect(0, 0, 8, 8)) == 0; }},
        Void("DrawRect", [](TDx3dDisplayHandler& d) { d.DrawRect(0, 0, -1, -1, TColor(1.0f, 1.0f, 1.0f, 1.0f), nullptr); }),
        Void("SetViewport", [](TDx3dDisplayHandler& d) { d.SetViewport(0, 0, 10, 10); }),
        Operation{"GetViewport",
                  [](TDx3dDisplayHandler& d) {
                    int32_t left = 1, top = 1, right = 1, bottom = 1;
                    d.GetViewport(left, top, right, bottom);
                    return left != 0 || top != 0 || right != 0 || bottom != 0;
                  }},
        Void("DrawVertices",
             [](TDx3dDisplayHandler& d) {
               d.DrawVertices(4, nullptr);
               d.DrawIndexedVertices(4, nullptr, nullptr, 0);
             }),
        Operation{"PushAndPopViewport",
                  [](TDx3dDisplayHandler& d) {
                    d.PushViewport(0, 0, 10, 10);
                    return d.PopViewport() == 0;
                  }},
        Operation{"PopViewportAlone", [](TDx3dDisplayHandler& d) { return d.PopViewport() == 0; }},
        Operation{"PushRenderTarget", [](TDx3dDisplayHandler& d) { return d.PushRenderTarget(TextureHandle()); }},
        Operation{"PopRenderTarget", [](TDx3dDisplayHandler& d) { return d.PopRenderTarget(); }},
        Operation{"IsDrawingToScreen", [](TDx3dDisplayHandler& d) { return d.IsDrawingToScreen(); }},
        Operation{"IsReady", [](TDx3dDisplayHandler& d) { return d.IsReady(); }},
        Operation{"IsReadyAfterMarkBroken",
                  [](TDx3dDisplayHandler& d) {
                    d.MarkBroken();
                    return d.IsReady() || !d.GetData().mBroken;
                  }},
        Void("ReportOutOfVideoMemory", [](TDx3dDisplayHandler& d) { d.ReportOutOfVideoMemory(); }),
        Void("GetDesktopMode", [](TDx3dDisplayHandler& d) { d.GetDesktopMode(); }),
        Void("ResetWorkingCount", [](TDx3dDisplayHandler& d) { d.ResetWorkingCount(); }),
        Void("Restore", [](TDx3dDisplayHandler& d) { d.Restore(); }),
        Void("States",
             [](TDx3dDisplayHandler& d) {
               d.SetShadeMode(1);
               d.SetBlendMode(0);
               d.SetTextureFilter(1);
               d.SetTextureAddress(1, 2);
               d.SetZWrite(true);
               d.SetZEnable(true);
               d.SetCullMode(2);
               d.SetAmbientLight(TColor(1.0f, 1.0f, 1.0f, 1.0f));
             }),
        Operation{"Transforms",
                  [](TDx3dDisplayHandler& d) {
                    TMatrix4 scale;
                    scale.rows[0].x = 2;
                    d.SetWorldTransform(scale);
                    d.SetViewTransform(scale);
                    d.SetProjectionTransform(scale);
                    d.SetLookAt(Vec(0, 0, -5), Vec(0, 0, 0), Vec(0, 1, 0));
                    d.SetPerspective(0.1f, 100.0f, 0.8f, 0);
                    d.SetOrthoProjection(0.1f, 100.0f);
                    TMatrix4 world, view, projection;
                    d.GetWorldTransform(world);
                    d.GetViewTransform(view);
                    d.GetProjectionTransform(projection);
                    return world.rows[0].x != 1 || view.rows[0].x != 1 || projection.rows[0].x != 1;
                  }},
        Void("UpdateCursorBounds", [](TDx3dDisplayHandler& d) { d.UpdateCursorBounds(); }),
        Operation{"UpdateMouse", [](TDx3dDisplayHandler& d) { return d.UpdateMouse(-1, -1).x != -1; }},
        Void("OnWindowMoved", [](TDx3dDisplayHandler& d) { d.OnWindowMoved(); }),
        Operation{"GetMousePos", [](TDx3dDisplayHandler& d) { return d.GetMousePos().x != -1; }},
        Operation{"UpdateSystemCursor", [](TDx3dDisplayHandler& d) { return d.UpdateSystemCursor(); }},
        Operation{"SetMouseImage", [](TDx3dDisplayHandler& d) { return d.SetMouseImage(std::make_shared<TTexture>(), 0, 0); }},
        Operation{"RequiresSquareTextures", [](TDx3dDisplayHandler& d) { return d.RequiresSquareTextures(); }},
        Operation{"CreateTextureData", [](TDx3dDisplayHandler& d) { return d.CreateTextureData()->CreateSurface(8, 8); }},
        Void("TestRenderTarget", [](TDx3dDisplayHandler& d) { d.TestRenderTarget(); })),
    [](const testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

TEST_F(DisplayRig, ADisplayStartsWithItsDefaults) {
  TDx3dDisplayHandler display(adapter);
  const TDxDisplayHandlerData& data = display.GetData();
  EXPECT_FLOAT_EQ(data.mNearPlane, 0.1f);
  EXPECT_FLOAT_EQ(data.mFarPlane, 1000.0f);
  EXPECT_FLOAT_EQ(data.mPixelOffset, -0.5f);
  EXPECT_EQ(data.mSavedProjection.rows[3].w, 1.0f);
  EXPECT_FALSE(data.mBroken || data.mFullScreen || data.mLowMemoryVideo || data.mInScene);
  EXPECT_EQ(data.mWorkingCount, 0u);
  ASSERT_NE(data.mContext, nullptr);
  EXPECT_EQ(data.mContext->GetDesktopWidth(), 1024);
  EXPECT_TRUE(data.mViewports.empty());
}

}  // namespace
