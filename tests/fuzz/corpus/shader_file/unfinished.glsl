##start
##vertex
unterminated