##start
##geometry
layout(points) in;
##end
trailing
