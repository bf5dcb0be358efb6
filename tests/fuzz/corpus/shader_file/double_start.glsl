##start
##start
##fragment
x
##end