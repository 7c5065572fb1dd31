# drawing surfaces
