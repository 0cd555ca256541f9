"""Drawing code for Velmora's pictures; make_pictures.py puts it together."""
