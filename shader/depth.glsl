The light's depth pass into the shadow map: positions only (location 0),
seen through the light camera ("projview"). Chunk geometry is in world space.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;

uniform mat4 projview;

void main()
{
    gl_Position = projview * vec4(position, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

void main()
{
}
##end
