##vertex
##start
##end
