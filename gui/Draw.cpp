#include "gui/Draw.h"

#include <GL/gl.h>

#include "gui/ClipBand.h"

namespace vexmolda::draw {

void setColor(Rgb color) { glColor3ub(color.r, color.g, color.b); }

void setColorF(float r, float g, float b) { glColor3f(r, g, b); }

namespace {

// The rectangle's corners top-left, bottom-left, bottom-right, top-right as one primitive.
void rectangle(GLenum mode, float x, float y, float width, float height) {
    glBegin(mode);
    glVertex3f(x, y, 0);
    glVertex3f(x, y + height, 0);
    glVertex3f(x + width, y + height, 0);
    glVertex3f(x + width, y, 0);
    glEnd();
}

}  // namespace

void fillRect(float x, float y, float width, float height) { rectangle(GL_QUADS, x, y, width, height); }

void strokeRect(float x, float y, float width, float height) { rectangle(GL_LINE_LOOP, x, y, width, height); }

void line(float x0, float y0, float x1, float y1) {
    glBegin(GL_LINES);
    glVertex3f(x0, y0, 0);
    glVertex3f(x1, y1, 0);
    glEnd();
}

void setLineWidth(float width) { glLineWidth(width); }

void beginLines() { glBegin(GL_LINES); }

void beginQuads() { glBegin(GL_QUADS); }

void beginLineLoop() { glBegin(GL_LINE_LOOP); }

void vertex(float x, float y) { glVertex3f(x, y, 0); }

void endBatch() { glEnd(); }

void setTexturing(bool on) {
    if (on)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
}

void pushMatrix() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void popMatrix() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void translate(float x, float y) { glTranslatef(x, y, 0); }

void rotate(float degrees) { glRotatef(degrees, 0, 0, -1); }

void pushViewProjection(float zoom) {
    const double a = 50.0 / zoom;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-a, a, a, -a, -1, 1);
    glMatrixMode(GL_MODELVIEW);
}

void popViewProjection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void beginClip(float top, float bottom) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const PixelBand band = pixelBand(top, bottom, viewport[3]);
    glScissor(viewport[0], viewport[1] + band.bottom, viewport[2], band.height);
    glEnable(GL_SCISSOR_TEST);
}

void endClip() { glDisable(GL_SCISSOR_TEST); }

}  // namespace vexmolda::draw
