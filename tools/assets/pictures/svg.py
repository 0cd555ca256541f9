"""A drawing that records PIL-style shape calls as SVG elements, for the scalable icon."""


def _number(value):
    return ("%.2f" % value).rstrip("0").rstrip(".")


def _colour(fill):
    return "#%02x%02x%02x" % tuple(fill[:3])


class SvgDrawing:
    """Boxes are read as PIL reads them, inclusive of their last pixel, so that the SVG covers
    what the bitmap of the same size would."""

    def __init__(self, size):
        self.size = size
        self.elements = []

    def ellipse(self, box, fill):
        x0, y0, x1, y1 = box
        self.elements.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"/>' % (
            _number((x0 + x1 + 1) / 2), _number((y0 + y1 + 1) / 2), _number((x1 - x0 + 1) / 2),
            _number((y1 - y0 + 1) / 2), _colour(fill)))

    def rectangle(self, box, fill):
        x0, y0, x1, y1 = box
        self.elements.append('<rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>' % (
            _number(x0), _number(y0), _number(x1 - x0 + 1), _number(y1 - y0 + 1), _colour(fill)))

    def polygon(self, points, fill):
        corners = " ".join("%s,%s" % (_number(x), _number(y)) for x, y in points)
        self.elements.append('<polygon points="%s" fill="%s"/>' % (corners, _colour(fill)))

    def text(self):
        size = self.size
        head = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
                'viewBox="0 0 %d %d">' % (size, size, size, size))
        return "\n".join([head] + ["  " + element for element in self.elements] + ["</svg>"]) + "\n"
